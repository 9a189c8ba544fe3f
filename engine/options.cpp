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
    return options;
}

}  // namespace pwstd
