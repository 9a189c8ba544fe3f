#pragma once
// Key maps in the settings file: the one place that knows the keys of a key-map section
// ("Cursor1".."Cursor4", "Button1".."Button30", "Axis1".."Axis8"), their defaults and rules.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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

// The parts of a combination as a "Keys" value holds them ("17+16+83"): 2 to 4 whole decimal
// numbers 1..255 joined by "+", blanks around each allowed; nothing for any other text.
struct KeyParts {
    std::array<uint8_t, kMaxWith + 1> codes{};
    int count = 0;
};
std::optional<KeyParts> ParseKeysValue(std::string_view text);
// The key of a control's combination: its own key with "Keys" added ("Button5Keys").
std::string CombinationKey(int control);
// "17+16+83" for Ctrl+Shift+S; a single code alone.
std::string KeysText(const Action& action);

// What `control` sends in `slot`: its code (ReadKeyCode) and, with `combos`, the combination its
// "Keys" key holds when that is valid and ends in that code (otherwise the file was changed by
// something that knows single codes only, and the code alone applies).
Action ReadAction(const SettingsFile& file, int slot, int control, bool combos);
// Writes the code (the combination's last part) and, for a combination, its "Keys" key; for a
// single code an existing "Keys" key is removed, and a missing one stays missing.
void WriteAction(const SettingsFile& file, int slot, int control, const Action& action);

// `base` with the controls of SlotControls(buttons, axes) bound as `slot` binds them (with
// `combos`, combinations included); the other controls keep what `base` gives them.
BindingTable ReadSlot(const SettingsFile& file, int slot, int32_t buttons, bool axes, const BindingTable& base,
                      bool combos = false);

// "MouseStick" of `slot`, default "0"; anything outside 0..3 is 0. Read and written only while the
// mouse is on, so a file of a program without it keeps its bytes.
int32_t ReadMouseStick(const SettingsFile& file, int slot);
int32_t WriteMouseStick(const SettingsFile& file, int slot, int32_t stick);
// `table` with every key whose code is a mouse action's (Action::MouseOrKey) made that action.
void BindMouseCodes(BindingTable& table);

}  // namespace pwstd
