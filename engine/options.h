#pragma once
// The options for today's pads and games, read from the settings file at start-up and set again by
// the options dialog. The program builds its pipeline from them (which backends read pads, what a
// reading asks, which bindings exist), and again when they change; nothing tests them while polls
// run. Each off keeps every reading and key event as it has always been.
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
    // The mouse from the pad ("Mouse"), and how the cursor and the wheel go.
    bool mouse = false;
    int32_t mouse_speed = 800;      // "MouseSpeed": pixels per second at full deflection
    int32_t mouse_dead_zone = 15;   // "MouseDeadZone": percent of the half range where nothing moves
    int32_t mouse_curve = 2;        // "MouseCurve": exponent of the response curve
    int32_t wheel_rate = 10;        // "WheelRate": notches per second while a wheel control is held
    bool combos = false;            // "Combos": a control may send a combination of keys
    // "ShiftButton": 0 = off, 1..30: that pad button sends nothing; while it is held the other
    // controls are bound as in slot `shift_template` (0 the custom map, 1..10 a template). It
    // cannot be the template button too: the shift wins.
    int32_t shift_button = 0;
    int32_t shift_template = 1;

    // What a reading fetches and which pads it may use.
    // With the mouse on, the extra axes are read whatever "AllAxes" says: a key map's mouse stick
    // may be one of them, and the key map in force can change at any poll.
    InputOptions Input() const { return {pov_stick, all_axes || mouse, any_joystick}; }
    // Whether the tip names the key map in force: while it can change without the menu.
    bool TipNamesKeyMap() const { return app_switch || template_button != 0; }

    bool operator==(const Options&) const = default;
};

Options ReadOptions(const SettingsFile& file);
// The one button both the template button and the shift button name is the shift button.
void ResolveButtons(Options& options);

}  // namespace pwstd
