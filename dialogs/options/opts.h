#pragma once
// The options dialog "Opts": every option of the settings file that the other dialogs do not set,
// as check boxes and sliders, and whether the program starts with Windows. It shows what the file
// holds when it opens; OK writes exactly the keys the user changed, hands the changed options to
// the program, which rebuilds its pipeline at once, and sets the start with Windows when its box
// changed. Cancel and the close box change nothing.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/options.h"
#include "engine/ports.h"
#include "engine/settings.h"
#include "engine/shared_state.h"
#include "forms/form.h"
#include "tray/startup_entry.h"

namespace pwstd {

// The check boxes Check1(0..8), in their order on screen.
enum OptionBox : int16_t {
    kBoxPovStick, kBoxAnyJoystick, kBoxScanCodes, kBoxXInput, kBoxAllAxes, kBoxAppSwitch, kBoxMouse, kBoxCombos,
    kBoxStartWithWindows,
    kBoxCount
};
// The sliders HScroll1(0..6), each with its label Label1 of the same index.
enum OptionSlider : int16_t {
    kSliderTemplateButton, kSliderShiftButton, kSliderShiftTemplate, kSliderMouseSpeed, kSliderMouseDeadZone,
    kSliderMouseCurve, kSliderWheelRate,
    kSliderCount
};

// The slider labels: "テンプレート切り替えボタン－ なし", "シフトボタン－ 5", "マウスの速さ－ 800 ピクセル/秒" ...
// `names` are the template names of slots 1..10, for the shift slot.
std::string OptionCaption(int16_t slider, int32_t value, const std::array<std::string, kTemplateCount + 1>& names);

class Opts final : public forms::Form {
public:
    // `apply` gets the options in force with the user's changes, when there are any, after the
    // file was written; the program rebuilds its pipeline from them.
    using Apply = std::function<void(const Options&)>;
    Opts(SharedState& state, const Options& in_force, Profile& profile, StartupRegistry& startup, Apply apply);

    const forms::FormSpec& Layout() const override;

protected:
    std::vector<forms::ControlSpec> Declare() const override;
    void Connect() override;
    void Form_Load() override;

private:
    void Check1_Click(int16_t Index);
    void HScroll1_Scroll(int16_t Index);
    void HScroll1_Change(int16_t Index);
    void Command1_Click(int16_t Index);

    void Save();
    // The mouse's sliders mean nothing with the mouse off, the shift slot nothing without a shift
    // button; they keep their values while greyed.
    void FollowDependencies();

    SharedState& state_;
    const Options& in_force_;
    StartupRegistry& startup_;
    Apply apply_;
    SettingsFile settings_;
    // What each control showed when the dialog opened: only a control moved from it is written.
    std::array<int32_t, kBoxCount> opened_boxes_{};
    std::array<int32_t, kSliderCount> opened_sliders_{};
};

}  // namespace pwstd
