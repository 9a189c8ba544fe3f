#include "engine/bindings/key_map_file.h"

#include <cmath>

namespace pwstd {

namespace {
// Cursor1..Cursor4 are up, down, left, right.
constexpr int kCursorControls[4] = {kControlUp, kControlDown, kControlLeft, kControlRight};
}  // namespace

std::vector<int> SlotControls(int32_t buttons, bool axes) {
    std::vector<int> controls(std::begin(kCursorControls), std::end(kCursorControls));
    for (int32_t j = 1; j <= buttons && j <= kMaxButtons; ++j) controls.push_back(ButtonControl(j));
    if (axes) {
        for (int a = 0; a < kAxisControls; ++a) controls.push_back(AxisControl(a));
    }
    return controls;
}

std::string ControlKey(int control) {
    if (control >= kControlAxis1) return "Axis" + std::to_string(control - kControlAxis1 + 1);
    if (IsButtonControl(control)) return "Button" + std::to_string(ControlButton(control));
    for (int d = 0; d < 4; ++d) {
        if (kCursorControls[d] == control) return "Cursor" + std::to_string(d + 1);
    }
    return {};
}

const char* ControlDefault(int control) {
    switch (control) {
        case kControlUp: return "38";
        case kControlDown: return "40";
        case kControlLeft: return "37";
        case kControlRight: return "39";
        default: return control >= kControlAxis1 ? "0" : "32";
    }
}

int32_t ReadKeyCode(const SettingsFile& file, int slot, int control) {
    const double value =
        LeadingNumber(file.Read(SlotSection(slot), ControlKey(control), ControlDefault(control)), false);
    if (control >= kControlAxis1 && std::nearbyint(value) == 0.0) return 0;
    return RoundClamp(value, 1, 255);
}

int32_t WriteKeyCode(const SettingsFile& file, int slot, int control, int32_t code) {
    return file.Write(SlotSection(slot), ControlKey(control), DecimalText(code));
}

std::optional<KeyParts> ParseKeysValue(std::string_view text) {
    KeyParts parts;
    size_t i = 0;
    const auto blanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    for (;;) {
        if (parts.count == static_cast<int>(parts.codes.size())) return std::nullopt;
        blanks();
        int32_t code = 0;
        const size_t digits = i;
        // Four digits at most: beyond them no value is in range, and the number cannot overflow.
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - digits < 4) code = code * 10 + (text[i++] - '0');
        if (i == digits || code < 1 || code > 255) return std::nullopt;
        parts.codes[static_cast<size_t>(parts.count++)] = static_cast<uint8_t>(code);
        blanks();
        if (i == text.size()) break;
        if (text[i++] != '+') return std::nullopt;
    }
    if (parts.count < 2) return std::nullopt;
    return parts;
}

std::string CombinationKey(int control) { return ControlKey(control) + "Keys"; }

std::string KeysText(const Action& action) {
    std::string text;
    for (int i = 0; i < kMaxWith && action.With(i) != 0; ++i) text += DecimalText(action.With(i)) + "+";
    return text + DecimalText(action.key);
}

Action ReadAction(const SettingsFile& file, int slot, int control, bool combos) {
    const Action single = Action::Key(ReadKeyCode(file, slot, control));
    if (!combos || single.kind != ActionKind::Key) return single;
    const std::optional<KeyParts> parts = ParseKeysValue(file.Read(SlotSection(slot), CombinationKey(control), ""));
    if (!parts || parts->codes[static_cast<size_t>(parts->count - 1)] != single.key) return single;
    return Action::Combination(parts->codes.data(), parts->count);
}

void WriteAction(const SettingsFile& file, int slot, int control, const Action& action) {
    WriteKeyCode(file, slot, control, action.key);
    const std::string section = SlotSection(slot), key = CombinationKey(control);
    if (action.with != 0) {
        file.Write(section, key, KeysText(action));
    } else if (const std::string none = "-"; file.Read(section, key, none) != none) {
        // Looked up first, so a file without combinations keeps its bytes. A value that reads as
        // the placeholder is no combination either, and staying does no harm.
        file.Remove(section, key);
    }
}

BindingTable ReadSlot(const SettingsFile& file, int slot, int32_t buttons, bool axes, const BindingTable& base,
                      bool combos) {
    BindingTable table = base;
    for (int control : SlotControls(buttons, axes)) table[control] = ReadAction(file, slot, control, combos);
    return table;
}

int32_t ReadMouseStick(const SettingsFile& file, int slot) {
    const double value = std::nearbyint(LeadingNumber(file.Read(SlotSection(slot), "MouseStick", "0"), false));
    return value >= 0 && value <= 3 ? static_cast<int32_t>(value) : 0;
}

int32_t WriteMouseStick(const SettingsFile& file, int slot, int32_t stick) {
    return file.Write(SlotSection(slot), "MouseStick", DecimalText(stick));
}

void BindMouseCodes(BindingTable& table) {
    for (Action& action : table.actions) {
        if (action.kind != ActionKind::Key) continue;
        // A combination ending in a mouse code is that mouse action with its keys held around it.
        Action mouse = Action::MouseOrKey(action.key);
        if (mouse.kind == ActionKind::Key) continue;
        mouse.with = action.with;
        action = mouse;
    }
}

}  // namespace pwstd
