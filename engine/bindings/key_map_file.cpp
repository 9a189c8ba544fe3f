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

BindingTable ReadSlot(const SettingsFile& file, int slot, int32_t buttons, bool axes, const BindingTable& base) {
    BindingTable table = base;
    for (int control : SlotControls(buttons, axes)) table[control] = Action::Key(ReadKeyCode(file, slot, control));
    return table;
}

}  // namespace pwstd
