#pragma once
// The general settings dialog "Prop": button count, sensitivity, polling interval, key repeat and
// the start-up key map, with a live joystick test panel. The sensitivity is applied to the engine
// at every committed move of its slider; everything else is applied and written on OK.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/input/pads.h"
#include "engine/options.h"
#include "engine/ports.h"
#include "engine/settings.h"
#include "engine/shared_state.h"
#include "forms/form.h"
#include "tray/template_switcher.h"

namespace pwstd {

// Slider labels: "ボタン数－ 4", "感度－4000", "ジョイスティック監視間隔－ 25ms".
std::string ButtonsCaption(int32_t buttons);
std::string SensitivityCaption(int32_t kando);
std::string IntervalCaption(int32_t wait);

class Prop final : public forms::Form {
public:
    // `pads` serve the test panel; with start-up rule 2, OK stores the key map `templates` says.
    Prop(SharedState& state, const Options& options, Profile& profile, PollTimer& timer, Sleeper& sleeper,
         Pads& pads, const TemplateSwitcher& templates);

    const forms::FormSpec& Layout() const override;

protected:
    std::vector<forms::ControlSpec> Declare() const override;
    void Connect() override;
    void Form_Load() override;
    void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) override;

private:
    void HScroll1_Scroll();
    void HScroll1_Change();
    void HScroll2_Scroll();
    void HScroll2_Change();
    void HScroll3_Scroll();
    void HScroll3_Change();
    void Check1_Click();
    void Command1_Click();
    void Command2_Click(int16_t Index);
    void Timer1_Timer();  // test_panel.cpp

    void ApplyAndSave();
    void RestartTimer(int32_t new_wait);
    int16_t SelectedStartRule() const;

    SharedState& state_;
    const Options& options_;
    PollTimer& timer_;
    Sleeper& sleeper_;
    Pads& pads_;
    const TemplateSwitcher& templates_;
    SettingsFile settings_;

    int32_t SavedKando = 0;
    // True while the dialog holds a stored sensitivity of 0, which the slider (1..32767) cannot
    // show: see Form_Load.
    bool kando_off_ = false;
    bool loading_ = false;
    std::string LastTestText;
};

}  // namespace pwstd
