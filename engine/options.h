#pragma once
// The options for today's pads and games, read from the settings file once, at start-up. The
// program builds its pipeline from them (which backends read pads, what a reading asks, which
// bindings exist); nothing tests them again while polls run. Each off keeps every reading and key
// event as it has always been.
#include <cstdint>

#include "engine/input/pads.h"
#include "engine/settings.h"

namespace pwstd {

struct Options {
    bool pov_stick = false;     // "PovStick": the hat gives directions where the stick is centred
    bool any_joystick = false;  // "AnyJoystick": when joystick 1 gives no reading, the first that does
    bool scan_codes = false;    // "ScanCodes": key events carry scan codes and the extended-key flag
    bool app_switch = false;    // "AppSwitch": the key map follows the program in front
    bool all_axes = false;      // "AllAxes": the Z, R, U and V axes are controls too
    bool xinput = false;        // "XInput": a connected XInput pad is read in place of joystick 1
    // "TemplateButton": 0 = off, 1..30: that pad button sends no key; each press moves to the next
    // template.
    int32_t template_button = 0;

    // What a reading fetches and which pads it may use.
    InputOptions Input() const { return {pov_stick, all_axes, any_joystick}; }
    // Whether the tip names the key map in force: while it can change without the menu.
    bool TipNamesKeyMap() const { return app_switch || template_button != 0; }
};

Options ReadOptions(const SettingsFile& file);

}  // namespace pwstd
