#include "tray/form1.h"

#include <optional>
#include <string>
#include <utility>

#include "engine/program_names.h"
#include "tray/help.h"

namespace pwstd {

namespace {

constexpr int32_t kTimerResolutionMs = 5;
constexpr int32_t kUnloadPauseMs = 100;
constexpr const char* kCustomCaption = "カスタム";

// The record of the tray icon in the running or paused state.
TrayRecord StateRecord(uint32_t flags, int16_t pad_active, int16_t icon_frame, const std::string& running_tip) {
    if (pad_active == True) return {flags, icon_frame, running_tip};
    return {flags, 0, kPausedTip};
}

}  // namespace

Form1::Form1(SharedState& state, Profile& profile, LiveBindings& bindings, EngineBuilder build_engine,
             TrayServices services)
    : state_(state),
      profile_(profile),
      build_engine_(std::move(build_engine)),
      services_(services),
      tray_(services.tray, services.tray_retry),
      settings_(profile_, state_.IniPath),
      switcher_(state_, options_, profile_, bindings),
      mnuPop_("mnuPop", "Popup") {
    forms::MenuItem& mnuProp = mnuPop_.Add("mnuProp", "プロパティ...");
    mnuProp.Add("mnuKeySet", "キー設定...").Click = [this] { mnuKeySet_Click(); };
    mnuProp.Add("mnuPadActivity", "一般設定...").Click = [this] { mnuPadActivity_Click(); };
    mnuProp.Add("mnuOptions", "拡張設定...").Click = [this] { mnuOptions_Click(); };

    forms::MenuItem& mnuTempL1 = mnuPop_.Add("mnuTempL1", "テンプレート");
    for (int16_t i = 0; i <= kTemplateCount; ++i) {
        // Items 1..10 take the template names at start-up.
        mnuTemp_[i] = &mnuTempL1.Add("mnuTemp", i == 0 ? kCustomCaption : "", i);
        mnuTemp_[i]->Click = [this, i] { mnuTemp_Click(i); };
    }

    mnuPop_.Add("mnuBo", "-");
    mnuPop_.Add("mnuAbout", "バージョン情報").Click = [this] { mnuAbout_Click(); };
    mnuPop_.Add("mnuHelp", "ヘルプ").Click = [this] { mnuHelp_Click(); };
    mnuPop_.Add("mnuBo2", "-");
    mnuPop_.Add("mnuQuit", "終了").Click = [this] { mnuQuit_Click(); };
}

void Form1::SetAppTemplates(ForegroundWatch& foreground, const AnsiCodePage& ansi, DialogFactory app_templates) {
    foreground_ = &foreground;
    ansi_ = &ansi;
    app_templates_factory_ = std::move(app_templates);
}

void Form1::SetOptionsDialog(DialogFactory options) { options_factory_ = std::move(options); }

void Form1::SetDialogs(DialogFactory key_settings, DialogFactory general_settings, DialogFactory about) {
    key_settings_factory_ = std::move(key_settings);
    general_settings_factory_ = std::move(general_settings);
    about_factory_ = std::move(about);
}

// Everything the poll cycle reads is in place before the timer is created, so the first poll
// already sees a complete state.
void Form1::Form_Load() {
    state_.IconFrame = 1;
    tray_.Add({kNifMessage | kNifIcon | kNifTip, 1, kRunningTip});
    state_.IniPath = AddBackslash(services_.shell.ExeFolder()) + kIniFileName;
    state_.PadActive = True;

    state_.Kando = settings_.Kando();
    state_.Wait = settings_.Wait();
    state_.Buttons = settings_.Buttons();
    state_.Repeat = settings_.Repeat();
    state_.Keyup = settings_.Keyup();
    options_ = ReadOptions(settings_);
    poll_ = &build_engine_(options_);

    for (int n = 1; n <= kTemplateCount; ++n) {
        state_.TemplateNames[n] = settings_.TemplateName(n);
        mnuTemp_[n]->SetCaption(state_.TemplateNames[n]);
    }

    state_.StartTemp = settings_.StartTemp();
    const int16_t start_slot = settings_.BefTemp();
    int16_t slot = 0;
    switch (state_.StartTemp.get()) {
        case 1: slot = 1; break;
        case 2: slot = start_slot; break;
        default: slot = 0; break;
    }
    ApplyTemplate(slot);
    // The shift map is read here, once: a shift never reads the file.
    switcher_.LoadShift();

    if (options_.app_switch) StartAppSwitch();

    services_.timer.begin_period(state_.Wait);
    state_.TimerId = services_.timer.set_event(state_.Wait, kTimerResolutionMs);
}

void Form1::StartAppSwitch() {
    forms::MenuItem& mnuTempL1 = *mnuPop_.Find("mnuTempL1");
    mnuTempL1.Add("mnuBo3", "-");
    mnuTempL1.Add("mnuAppTemp", "アプリ別テンプレート...").Click = [this] { mnuAppTemp_Click(); };
    if (foreground_) {
        foreground_->start([this](const FrontProgram& program) { ProgramInFront(program); });
        ProgramInFront(foreground_->front());
    }
}

void Form1::StopAppSwitch() {
    forms::MenuItem& mnuTempL1 = *mnuPop_.Find("mnuTempL1");
    mnuTempL1.Remove("mnuBo3");
    mnuTempL1.Remove("mnuAppTemp");
    if (foreground_) foreground_->stop();
}

// The timer is killed synchronously, so no tick runs on the pipeline that goes; the keys it held
// are let go through it before it goes, and the new one starts from nothing held.
void Form1::ApplyOptions(const Options& options) {
    services_.timer.kill_event(state_.TimerId);
    services_.timer.end_period(state_.Wait);
    if (poll_ != nullptr) poll_->ReleaseHeld();

    const bool was_switching = options_.app_switch;
    options_ = options;
    // A dialog kept from an earlier opening may hold parts of the old pipeline (the general
    // dialog reads its pads): the next opening makes it with the new one.
    for (std::unique_ptr<forms::Form>* dialog : {&KeyS_, &Prop_, &ABox_, &AppT_, &Opts_}) {
        if (dialog->get() != showing_) dialog->reset();
    }
    poll_ = &build_engine_(options_);
    // The key map in force, read again with the new options' bindings (mouse, combinations, the
    // template and shift buttons), and the shift map of the new shift slot.
    switcher_.Switch(switcher_.InForce(), false);
    switcher_.LoadShift();
    if (options_.app_switch != was_switching) {
        if (options_.app_switch) {
            StartAppSwitch();
        } else {
            StopAppSwitch();
        }
    }
    // Whether the tip names the key map may have changed.
    tray_.Modify(StateInForce(), StateInForce());

    services_.timer.begin_period(state_.Wait);
    state_.TimerId = services_.timer.set_event(state_.Wait, kTimerResolutionMs);
}

void Form1::Form_Unload(int16_t& Cancel) {
    (void)Cancel;
    // A dialog whose modal call is still running (the session ends while it is open) must outlive
    // that call; it goes when the call returns.
    for (std::unique_ptr<forms::Form>* dialog : {&KeyS_, &Prop_, &ABox_, &AppT_, &Opts_}) {
        if (*dialog && dialog->get() == showing_) {
            drop_after_show_ = true;
        } else {
            dialog->reset();
        }
    }
    services_.timer.kill_event(state_.TimerId);
    services_.timer.end_period(state_.Wait);
    services_.sleeper.sleep(kUnloadPauseMs);
}

void Form1::mnuQuit_Click() {
    Shutdown();
    services_.shell.EndProgram();
}

void Form1::Shutdown() {
    // Removed first: an icon left behind stays in the notification area as a ghost until the
    // mouse passes over it.
    tray_.Delete();
    int16_t cancel = 0;
    Form_Unload(cancel);
    // The timer is stopped and no tick of it runs any more, so no poll can race this: keys the
    // pad holds down are let go rather than left down in whatever program has the focus.
    if (poll_ != nullptr) poll_->ReleaseHeld();
}

void Form1::TrayCallback(uint32_t message) {
    if (DialogOpen != False || MenuOpen != False) return;
    switch (message) {
        case kWmLButtonDown:
            TogglePadActive();
            break;
        case kWmRButtonDown:
            // Brought to the foreground first, so the menu closes when the user clicks elsewhere.
            services_.shell.BringToForeground();
            services_.windows.DoEvents();
            MenuOpen = True;
            services_.windows.ShowPopup(mnuPop_);
            MenuOpen = False;
            break;
        default:
            break;
    }
}

void Form1::TaskbarCreated() { tray_.Add(StateInForce()); }

// A display that arrives after a pause leaves the paused icon alone, as if the pause had come
// first; the frame has advanced all the same.
void Form1::ShowPollRate() {
    if (poll_ == nullptr) return;
    const std::optional<PollRate> rate = poll_->TakePollRate();
    if (!rate || state_.PadActive != True) return;
    const TrayRecord record{kNifMessage | kNifIcon | kNifTip, rate->frame, RunningTip(PollRateTip(rate->polls))};
    tray_.Modify(record, record);
}

void Form1::TrayRetry_Timer() { tray_.Retry(StateInForce()); }

void Form1::TogglePadActive() {
    if (DialogOpen == True) return;
    state_.PadActive = state_.PadActive == True ? False : True;
    services_.windows.DoEvents();
    tray_.Modify(StateRecord(kNifIcon | kNifTip, state_.PadActive, state_.IconFrame, RunningTip(kRunningTip)),
                 StateInForce());
    MenuOpen = False;
}

TrayRecord Form1::StateInForce() const {
    return StateRecord(kNifMessage | kNifIcon | kNifTip, state_.PadActive, state_.IconFrame, RunningTip(kRunningTip));
}

std::string Form1::RunningTip(const std::string& tip) const {
    if (!options_.TipNamesKeyMap()) return tip;
    return TipWithKeyMap(tip, mnuTemp_[switcher_.InForce()]->Caption());
}

void Form1::ApplyTemplate(const int16_t& n) { SwitchTemplate(n, true); }

void Form1::SwitchTemplate(int16_t n, bool by_hand) {
    if (!switcher_.Switch(n, by_hand)) return;
    for (forms::MenuItem* item : mnuTemp_) item->SetChecked(false);
    mnuTemp_[switcher_.InForce()]->SetChecked(true);
}

void Form1::TemplateButton_Press() {
    mnuTemp_Click(static_cast<int16_t>((switcher_.InForce() + 1) % (kTemplateCount + 1)));
}

void Form1::ProgramInFront(const FrontProgram& program) {
    if (!ansi_) return;
    if (const std::optional<int16_t> slot = switcher_.InFront(program, ProgramKey(program.name, *ansi_))) {
        SwitchTemplate(*slot, false);
    }
}

void Form1::mnuTemp_Click(int16_t Index) { ApplyTemplate(Index); }

void Form1::mnuKeySet_Click() { ShowDialog(KeyS_, key_settings_factory_); }

void Form1::mnuPadActivity_Click() { ShowDialog(Prop_, general_settings_factory_); }

void Form1::mnuAbout_Click() { ShowDialog(ABox_, about_factory_); }

void Form1::mnuHelp_Click() { OpenProgramHelp(services_.shell); }

void Form1::mnuAppTemp_Click() { ShowDialog(AppT_, app_templates_factory_); }

void Form1::mnuOptions_Click() { ShowDialog(Opts_, options_factory_); }

void Form1::ShowDialog(std::unique_ptr<forms::Form>& dialog, const DialogFactory& factory) {
    DialogOpen = True;
    MenuOpen = False;
    services_.windows.DoEvents();
    if (!dialog && factory) dialog = factory();
    if (dialog) {
        showing_ = dialog.get();
        services_.windows.ShowModal(*dialog);
        showing_ = nullptr;
        if (drop_after_show_) {
            drop_after_show_ = false;
            dialog.reset();
        }
    }
    DialogOpen = False;
}

}  // namespace pwstd
