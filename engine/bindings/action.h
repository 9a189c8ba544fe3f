#pragma once
// What a control does while it is held: a value, so that a new kind of action adds a case here and
// in the poll, not a flag in every file.
#include <cstdint>

namespace pwstd {

enum class ActionKind : uint8_t {
    None = 0,      // nothing
    Key,           // press `key` while held (after the keys of `with`), release it when let go
    NextTemplate,  // each press moves the key map to the next template; sends nothing itself
    Shift,         // while held, the controls pressed are bound as in the shift slot; sends nothing
    MouseButton,   // with the mouse on: hold mouse button `key` (its code, 1, 2, 4, 5 or 6) while held,
                   // the keys of `with` held around it (Ctrl+click)
    Wheel,         // with the mouse on: wheel notches of `key` (151..154) at the press and while held,
                   // the keys of `with` held around them (Ctrl+wheel)
};

// The keys held down around an action, in the order they go down, the first in the low byte; a 0
// byte ends them. Ctrl+Shift+S is the key 83 with 17, 16.
constexpr int kMaxWith = 3;

struct Action {
    ActionKind kind = ActionKind::None;
    uint8_t key = 0;   // virtual-key code 1..255, for Key
    uint32_t with = 0; // up to kMaxWith codes pressed before `key` (a combination)

    // A stored code: 0 is nothing, anything else the key with that code (1..255).
    static constexpr Action Key(int32_t code) {
        return code == 0 ? Action{} : Action{ActionKind::Key, static_cast<uint8_t>(code)};
    }
    // A combination: `parts` go down in order, the last one being the key itself.
    static constexpr Action Combination(const uint8_t* parts, int count) {
        if (count <= 0) return {};
        Action action = Key(parts[count - 1]);
        for (int i = 0; i < count - 1 && i < kMaxWith; ++i) action.with |= uint32_t{parts[i]} << (8 * i);
        return action;
    }
    static constexpr Action NextTemplateAction() { return {ActionKind::NextTemplate, 0}; }
    static constexpr Action ShiftAction() { return {ActionKind::Shift, 0}; }
    // The i-th key pressed before `key`, 0 past the last.
    constexpr uint8_t With(int i) const { return static_cast<uint8_t>(with >> (8 * i)); }
    // A stored code with the mouse on: the mouse buttons' virtual-key codes (1, 2, 4, 5, 6) are
    // those buttons and 151..154 the wheel's four ways; any other code is the key it was.
    static constexpr Action MouseOrKey(int32_t code) {
        if (code == 1 || code == 2 || code == 4 || code == 5 || code == 6) {
            return {ActionKind::MouseButton, static_cast<uint8_t>(code)};
        }
        if (code >= 151 && code <= 154) return {ActionKind::Wheel, static_cast<uint8_t>(code)};
        return Key(code);
    }
    // The keys this action holds down on the keyboard: itself for a key; for a mouse action with
    // keys around it, those keys as a key action (the last of them its own key); else nothing.
    constexpr Action KeysHeld() const {
        if (kind == ActionKind::Key) return *this;
        if ((kind != ActionKind::MouseButton && kind != ActionKind::Wheel) || with == 0) return {};
        uint8_t parts[kMaxWith] = {};
        int count = 0;
        while (count < kMaxWith && With(count) != 0) {
            parts[count] = With(count);
            ++count;
        }
        return Combination(parts, count);
    }
    bool operator==(const Action&) const = default;
};

}  // namespace pwstd
