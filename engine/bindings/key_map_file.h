#pragma once
// Key maps in the settings file: the one place that knows the keys of a key-map section
// ("Cursor1".."Cursor4", "Button1".."Button30", "Axis1".."Axis8"), their defaults and rules.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/bindings/binding_table.h"
#include "engine/settings.h"

namespace pwstd {

// The controls a key-map section holds, in the order of its keys: up, down, left, right (Cursor1..
// Cursor4), buttons 1..`buttons`, then with `axes` the eight axis controls (Axis1..Axis8).
std::vector<int> SlotControls(int32_t buttons, bool axes);
// The key of a control in a key-map section.
std::string ControlKey(int control);
// Its default: "38", "40", "37", "39" on the directions, "32" on every button, "0" (nothing) on
// the axis controls.
const char* ControlDefault(int control);

// The code of `control` in `slot`, with the control's default, clamped to 1..255; an axis control
// reads 0 (nothing) when missing or 0, otherwise the same way.
int32_t ReadKeyCode(const SettingsFile& file, int slot, int control);
// Writes the code in decimal; the profile service's result.
int32_t WriteKeyCode(const SettingsFile& file, int slot, int control, int32_t code);

// `base` with the controls of SlotControls(buttons, axes) bound as `slot` binds them; the other
// controls keep what `base` gives them.
BindingTable ReadSlot(const SettingsFile& file, int slot, int32_t buttons, bool axes, const BindingTable& base);

}  // namespace pwstd
