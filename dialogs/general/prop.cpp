// The general settings dialog's handlers: opening, the slider labels, the live sensitivity, the
// key-repeat dependency, Defaults, OK with its writes and timer restart, Cancel and the close box.
#include "dialogs/general/prop.h"

namespace pwstd {

namespace {
constexpr int16_t kRuleLastInForce = 2;            // start-up rule: the key map in force at exit
constexpr int32_t kTimerResolutionMs = 5;
constexpr int32_t kRestartPauseMs = 100;
}  // namespace

Prop::Prop(SharedState& state, const Options& options, Profile& profile, PollTimer& timer, Sleeper& sleeper,
           Pads& pads, const TemplateSwitcher& templates)
    : state_(state),
      options_(options),
      timer_(timer),
      sleeper_(sleeper),
      pads_(pads),
      templates_(templates),
      settings_(profile, state.IniPath) {}

void Prop::Connect() {
    Find("HScroll1").Scroll = [this] { HScroll1_Scroll(); };
    Find("HScroll1").Change = [this] { HScroll1_Change(); };
    Find("HScroll2").Scroll = [this] { HScroll2_Scroll(); };
    Find("HScroll2").Change = [this] { HScroll2_Change(); };
    Find("HScroll3").Scroll = [this] { HScroll3_Scroll(); };
    Find("HScroll3").Change = [this] { HScroll3_Change(); };
    Find("Check1").Click = [this] { Check1_Click(); };
    Find("Command1").Click = [this] { Command1_Click(); };
    for (int16_t i = 0; i < 2; ++i) Find("Command2", i).Click = [this, i] { Command2_Click(i); };
    Find("Timer1").Timer = [this] { Timer1_Timer(); };
}

// Setting the controls raises their change events, which refresh the labels, set Kando to the
// value it already has and make Check2 follow Check1.
//
// A stored sensitivity of 0 turns direction detection off, but the slider cannot go below 1. The
// slider then rests at 1 while the label reads "感度－0", and Kando stays 0 for the engine and the
// test panel: opening the dialog must not switch direction detection on behind the user's back.
// The first committed move of the slider (or Defaults) leaves this state and applies the slider's
// value as usual; until then OK writes "Kando" = "0" again and Cancel has nothing to restore.
void Prop::Form_Load() {
    LastTestText.clear();
    SavedKando = state_.Kando;
    kando_off_ = SavedKando == 0;
    loading_ = true;
    Find("HScroll1").SetValue(state_.Buttons);
    Find("HScroll2").SetValue(state_.Kando);
    Find("HScroll3").SetValue(state_.Wait);
    Find("Check1").SetValue(state_.Repeat);
    Find("Check2").SetValue(state_.Keyup);
    if (forms::Control* option = TryFind("Option1", state_.StartTemp)) option->SetValue(1);
    loading_ = false;
}

void Prop::HScroll1_Scroll() {
    Find("Label1", 0).SetCaption(ButtonsCaption(Find("HScroll1").Value()));
}

void Prop::HScroll1_Change() { HScroll1_Scroll(); }

void Prop::HScroll2_Scroll() {
    const forms::Control& slider = Find("HScroll2");
    const bool shows_off = kando_off_ && slider.Value() == slider.Min();
    Find("Label1", 1).SetCaption(SensitivityCaption(shows_off ? 0 : slider.Value()));
}

// Applied at once, so the engine and the test panel use the new sensitivity while the dialog is
// still open.
void Prop::HScroll2_Change() {
    if (!loading_) kando_off_ = false;
    HScroll2_Scroll();
    if (!kando_off_) state_.Kando = Find("HScroll2").Value();
}

void Prop::HScroll3_Scroll() {
    Find("Label1", 3).SetCaption(IntervalCaption(Find("HScroll3").Value()));
}

void Prop::HScroll3_Change() { HScroll3_Scroll(); }

// Key-up on repeat means nothing without key repeat; the box keeps its value while greyed.
void Prop::Check1_Click() { Find("Check2").SetEnabled(Find("Check1").Value() != 0); }

// Resets the controls only; the sensitivity follows at once like any slider change, and Cancel
// puts it back.
void Prop::Command1_Click() {
    Find("HScroll1").SetValue(4);
    Find("HScroll2").SetValue(16384);
    Find("HScroll3").SetValue(25);
    Find("Check1").SetValue(1);
    Find("Check2").SetEnabled(true);
    Find("Check2").SetValue(1);
    Find("Option1", 0).SetValue(1);
}

void Prop::Command2_Click(int16_t Index) {
    if (Index == 0) {
        ApplyAndSave();
    } else {
        state_.Kando = SavedKando;
    }
    Unload();
}

void Prop::Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) {
    (void)Cancel;
    if (UnloadMode == forms::kFromControlMenu) state_.Kando = SavedKando;
}

// The results of the writes are not examined: a file that cannot be written leaves the settings in
// force for the rest of the run.
void Prop::ApplyAndSave() {
    state_.Buttons = Find("HScroll1").Value();
    if (!kando_off_) state_.Kando = Find("HScroll2").Value();
    const int32_t new_wait = Find("HScroll3").Value();
    state_.Repeat = static_cast<int16_t>(Find("Check1").Value());
    state_.Keyup = static_cast<int16_t>(Find("Check2").Value());

    settings_.Write(kGeneralSection, "Kando", HexText(state_.Kando));
    settings_.Write(kGeneralSection, "Wait", DecimalText(new_wait));
    settings_.Write(kGeneralSection, "Buttons", DecimalText(state_.Buttons));
    settings_.Write(kGeneralSection, "Repeat", DecimalText(state_.Repeat));
    settings_.Write(kGeneralSection, "Keyup", DecimalText(state_.Keyup));

    const int16_t rule = SelectedStartRule();
    state_.StartTemp = rule;
    settings_.Write(kGeneralSection, "StartTemp", DecimalText(rule));
    if (rule == kRuleLastInForce) {
        // While the key map follows the program in front, the one in force may be its choice; the
        // next start takes the user's.
        const int16_t slot = options_.app_switch ? templates_.Hand() : templates_.InForce();
        settings_.Write(kGeneralSection, "BefTemp", DecimalText(slot));
    }

    if (new_wait != state_.Wait) RestartTimer(new_wait);
}

// The old timer is stopped and its period released before the new ones start; the pause lets a
// tick already under way finish. PadActive and the poll cycle's memory are left as they are.
void Prop::RestartTimer(int32_t new_wait) {
    timer_.kill_event(state_.TimerId);
    timer_.end_period(state_.Wait);
    sleeper_.sleep(kRestartPauseMs);
    state_.Wait = new_wait;
    timer_.begin_period(state_.Wait);
    state_.TimerId = timer_.set_event(state_.Wait, kTimerResolutionMs);
}

int16_t Prop::SelectedStartRule() const {
    for (int16_t i = 0; i <= kRuleLastInForce; ++i) {
        if (Find("Option1", i).Value() != 0) return i;
    }
    return 0;
}

}  // namespace pwstd
