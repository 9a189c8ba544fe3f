#include "engine/options.h"

namespace pwstd {

Options ReadOptions(const SettingsFile& file) {
    Options options;
    options.pov_stick = file.PovStick() == 1;
    options.any_joystick = file.AnyJoystick() == 1;
    options.scan_codes = file.ScanCodes() == 1;
    options.app_switch = file.AppSwitch() == 1;
    options.template_button = file.TemplateButton();
    options.all_axes = file.AllAxes() == 1;
    options.xinput = file.XInput() == 1;
    options.mouse = file.Mouse() == 1;
    options.mouse_speed = file.MouseSpeed();
    options.mouse_dead_zone = file.MouseDeadZone();
    options.mouse_curve = file.MouseCurve();
    options.wheel_rate = file.WheelRate();
    options.combos = file.Combos() == 1;
    options.shift_button = file.ShiftButton();
    options.shift_template = file.ShiftTemplate();
    ResolveButtons(options);
    return options;
}

void ResolveButtons(Options& options) {
    if (options.shift_button != 0 && options.shift_button == options.template_button) options.template_button = 0;
}

}  // namespace pwstd
