#pragma once
// What a control does while it is held: a value, so that a new kind of action adds a case here and
// in the poll, not a flag in every file.
#include <cstdint>

namespace pwstd {

enum class ActionKind : uint8_t {
    None = 0,      // nothing
    Key,           // press `key` while held, release it when let go
    NextTemplate,  // each press moves the key map to the next template; sends nothing itself
};

struct Action {
    ActionKind kind = ActionKind::None;
    uint8_t key = 0;  // virtual-key code 1..255, for Key

    // A stored code: 0 is nothing, anything else the key with that code (1..255).
    static constexpr Action Key(int32_t code) {
        return code == 0 ? Action{} : Action{ActionKind::Key, static_cast<uint8_t>(code)};
    }
    static constexpr Action NextTemplateAction() { return {ActionKind::NextTemplate, 0}; }
    bool operator==(const Action&) const = default;
};

}  // namespace pwstd
