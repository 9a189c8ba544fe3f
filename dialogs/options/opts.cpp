// The options dialog's handlers: opening with the file's values and the start with Windows, the
// slider labels, the greyed sliders, and OK with its writes, the options handed on and the Run
// value; Cancel.
#include "dialogs/options/opts.h"

#include <iterator>
#include <utility>

namespace pwstd {

namespace {

struct BoxKey {
    const char* key;
    int16_t (SettingsFile::*read)() const;
    bool Options::*field;
};

// Check1(0..7); Check1(8), the start with Windows, is not in the file.
constexpr BoxKey kBoxKeys[] = {
    {"PovStick", &SettingsFile::PovStick, &Options::pov_stick},
    {"AnyJoystick", &SettingsFile::AnyJoystick, &Options::any_joystick},
    {"ScanCodes", &SettingsFile::ScanCodes, &Options::scan_codes},
    {"XInput", &SettingsFile::XInput, &Options::xinput},
    {"AllAxes", &SettingsFile::AllAxes, &Options::all_axes},
    {"AppSwitch", &SettingsFile::AppSwitch, &Options::app_switch},
    {"Mouse", &SettingsFile::Mouse, &Options::mouse},
    {"Combos", &SettingsFile::Combos, &Options::combos},
};
static_assert(std::size(kBoxKeys) == kBoxStartWithWindows);

struct SliderKey {
    const char* key;
    int32_t (SettingsFile::*read)() const;
    int32_t Options::*field;
};

constexpr SliderKey kSliderKeys[] = {
    {"TemplateButton", &SettingsFile::TemplateButton, &Options::template_button},
    {"ShiftButton", &SettingsFile::ShiftButton, &Options::shift_button},
    {"ShiftTemplate", &SettingsFile::ShiftTemplate, &Options::shift_template},
    {"MouseSpeed", &SettingsFile::MouseSpeed, &Options::mouse_speed},
    {"MouseDeadZone", &SettingsFile::MouseDeadZone, &Options::mouse_dead_zone},
    {"MouseCurve", &SettingsFile::MouseCurve, &Options::mouse_curve},
    {"WheelRate", &SettingsFile::WheelRate, &Options::wheel_rate},
};
static_assert(std::size(kSliderKeys) == kSliderCount);

}  // namespace

Opts::Opts(SharedState& state, const Options& in_force, Profile& profile, StartupRegistry& startup, Apply apply)
    : state_(state),
      in_force_(in_force),
      startup_(startup),
      apply_(std::move(apply)),
      settings_(profile, state.IniPath) {}

void Opts::Connect() {
    for (int16_t i = 0; i < kBoxCount; ++i) Find("Check1", i).Click = [this, i] { Check1_Click(i); };
    for (int16_t i = 0; i < kSliderCount; ++i) {
        Find("HScroll1", i).Scroll = [this, i] { HScroll1_Scroll(i); };
        Find("HScroll1", i).Change = [this, i] { HScroll1_Change(i); };
    }
    for (int16_t i = 0; i < 2; ++i) Find("Command1", i).Click = [this, i] { Command1_Click(i); };
}

// The file is read afresh at every opening: it is what OK compares with. Setting the controls
// raises their events, which set the labels and the greyed state.
void Opts::Form_Load() {
    for (int16_t i = 0; i < kBoxStartWithWindows; ++i) {
        opened_boxes_[i] = (settings_.*kBoxKeys[i].read)() == 1 ? 1 : 0;
    }
    opened_boxes_[kBoxStartWithWindows] = StartsWithWindows(startup_) ? 1 : 0;
    for (int16_t i = 0; i < kSliderCount; ++i) opened_sliders_[i] = (settings_.*kSliderKeys[i].read)();

    for (int16_t i = 0; i < kBoxCount; ++i) Find("Check1", i).SetValue(opened_boxes_[i]);
    for (int16_t i = 0; i < kSliderCount; ++i) {
        Find("HScroll1", i).SetValue(opened_sliders_[i]);
        HScroll1_Scroll(i);  // a value equal to the laid-out one raises nothing
    }
    FollowDependencies();
}

void Opts::Check1_Click(int16_t Index) {
    if (Index == kBoxMouse) FollowDependencies();
}

void Opts::HScroll1_Scroll(int16_t Index) {
    Find("Label1", Index).SetCaption(OptionCaption(Index, Find("HScroll1", Index).Value(), state_.TemplateNames));
}

void Opts::HScroll1_Change(int16_t Index) {
    HScroll1_Scroll(Index);
    if (Index == kSliderShiftButton) FollowDependencies();
}

void Opts::FollowDependencies() {
    const bool mouse = Find("Check1", kBoxMouse).Value() != 0;
    for (int16_t i = kSliderMouseSpeed; i <= kSliderWheelRate; ++i) {
        Find("HScroll1", i).SetEnabled(mouse);
        Find("Label1", i).SetEnabled(mouse);
    }
    const bool shift = Find("HScroll1", kSliderShiftButton).Value() != 0;
    Find("HScroll1", kSliderShiftTemplate).SetEnabled(shift);
    Find("Label1", kSliderShiftTemplate).SetEnabled(shift);
}

void Opts::Command1_Click(int16_t Index) {
    if (Index == 0) Save();
    Unload();
}

// A key the user left alone is not written, so a file without it keeps its bytes. Once the user
// changed an option, the options the dialog shows are put in force: those the user left alone are
// what the file holds, which is what the program started with unless the file was edited by hand
// meanwhile. The results of the writes are not examined.
void Opts::Save() {
    Options next = in_force_;
    bool changed = false;
    for (int16_t i = 0; i < kBoxStartWithWindows; ++i) {
        const int32_t value = Find("Check1", i).Value();
        next.*kBoxKeys[i].field = value != 0;
        if (value == opened_boxes_[i]) continue;
        settings_.Write(kGeneralSection, kBoxKeys[i].key, DecimalText(value));
        changed = true;
    }
    for (int16_t i = 0; i < kSliderCount; ++i) {
        const int32_t value = Find("HScroll1", i).Value();
        next.*kSliderKeys[i].field = value;
        if (value == opened_sliders_[i]) continue;
        settings_.Write(kGeneralSection, kSliderKeys[i].key, DecimalText(value));
        changed = true;
    }
    ResolveButtons(next);

    const int32_t start = Find("Check1", kBoxStartWithWindows).Value();
    if (start != opened_boxes_[kBoxStartWithWindows]) SetStartWithWindows(startup_, start != 0);

    if (changed && apply_) apply_(next);
}

}  // namespace pwstd
