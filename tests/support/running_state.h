#pragma once
// The engine's state as the poll tests and the poll benchmark start it: the pad running with the
// default sensitivity, the arrow keys on the directions (up 38, down 40, left 37, right 39) and
// A, B, C ... (64 + i) on button i.
#include <cstdint>

#include "engine/shared_state.h"

namespace pwstd::testing {

inline void RunningState(SharedState& state, int32_t buttons, int16_t repeat, int16_t keyup) {
    state.PadActive = True;
    state.Kando = 16384;
    state.Buttons = buttons;
    state.Repeat = repeat;
    state.Keyup = keyup;
    state.IconFrame = 1;
    state.DirKeys[kUp] = 38;
    state.DirKeys[kDown] = 40;
    state.DirKeys[kLeft] = 37;
    state.DirKeys[kRight] = 39;
    for (int i = 1; i <= kMaxButtons; ++i) state.ButtonKeys[i] = 64 + i;
}

}  // namespace pwstd::testing
