#pragma once
// The engine as the poll tests and the poll benchmark start it: the pad running with the default
// sensitivity, the arrow keys on the directions (up 38, down 40, left 37, right 39) and A, B, C ...
// (64 + i) on button i.
#include <cstdint>

#include "engine/bindings/binding_table.h"
#include "engine/shared_state.h"

namespace pwstd::testing {

inline BindingTable RunningTable() {
    BindingTable table;
    table[kControlUp] = Action::Key(38);
    table[kControlDown] = Action::Key(40);
    table[kControlLeft] = Action::Key(37);
    table[kControlRight] = Action::Key(39);
    for (int i = 1; i <= kMaxButtons; ++i) table[ButtonControl(i)] = Action::Key(64 + i);
    return table;
}

inline void RunningState(SharedState& state, LiveBindings& bindings, int32_t buttons, int16_t repeat, int16_t keyup) {
    state.PadActive = True;
    state.Kando = 16384;
    state.Buttons = buttons;
    state.Repeat = repeat;
    state.Keyup = keyup;
    state.IconFrame = 1;
    bindings.Publish(RunningTable());
}

}  // namespace pwstd::testing
