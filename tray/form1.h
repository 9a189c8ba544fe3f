#pragma once
// The hidden resident form: brings the program up and down, owns the tray icon and its popup menu,
// and switches the key map in force between the custom map and the ten templates.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/bindings/binding_table.h"
#include "engine/options.h"
#include "engine/poll_cycle.h"
#include "engine/ports.h"
#include "engine/settings.h"
#include "engine/shared_state.h"
#include "forms/form.h"
#include "forms/host.h"
#include "forms/menu.h"
#include "tray/app_templates.h"
#include "tray/foreground.h"
#include "tray/shell.h"
#include "tray/template_switcher.h"
#include "tray/tray_keeper.h"

namespace pwstd {

// Mouse message numbers the tray callback carries.
constexpr uint32_t kWmMouseMove = 0x200, kWmLButtonDown = 0x201, kWmRButtonDown = 0x204;

struct TrayServices {
    TrayIcon& tray;
    PollTimer& timer;
    Sleeper& sleeper;
    forms::WindowHost& windows;
    Shell& shell;
    RetryTimer& tray_retry;
};

class Form1 {
public:
    using DialogFactory = std::function<std::unique_ptr<forms::Form>()>;
    // Builds the poll cycle and what it reads and sends from the options, once they are read at
    // start-up; it lives as long as the program.
    using EngineBuilder = std::function<PollCycle&(const Options&)>;

    Form1(SharedState& state, Profile& profile, LiveBindings& bindings, EngineBuilder build_engine,
          TrayServices services);

    // The dialogs opened from the menu; each is created on first use and kept until unload.
    void SetDialogs(DialogFactory key_settings, DialogFactory general_settings, DialogFactory about);
    // The window in front, followed only while "AppSwitch" is 1, the code page in which the
    // settings file keeps program names, and the dialog that assigns templates to programs (its
    // menu item exists only then).
    void SetAppTemplates(ForegroundWatch& foreground, const AnsiCodePage& ansi, DialogFactory app_templates);
    // The options dialog ("拡張設定..."), whose OK calls ApplyOptions.
    void SetOptionsDialog(DialogFactory options);

    void Form_Load();
    void Form_Unload(int16_t& Cancel);
    void mnuQuit_Click();
    // Every way the program goes (quit, the session's end, a close from outside): the icon is
    // removed, the unload steps stop the timer, and the keys the pad holds down are let go.
    void Shutdown();

    // The tray callback (message 512 to the hidden window) with the mouse message number.
    void TrayCallback(uint32_t message);
    // The shell's "TaskbarCreated" broadcast: the icon is added again in the state in force.
    void TaskbarCreated();
    // The poll cycle's rate signal: its latest rate display goes into the icon, unless the pad
    // was paused since. Here, on the UI thread, the shell may keep us waiting; the polls go on.
    void ShowPollRate();
    // A tick of the timer that tries again to add the icon the shell refused.
    void TrayRetry_Timer();
    void TogglePadActive();
    // The template button went down: the next template in the menu's order, as if chosen there.
    void TemplateButton_Press();
    // A window came to the front: its program's template, or the one chosen by hand.
    void ProgramInFront(const FrontProgram& program);
    // New options, at once: the timer is stopped and what the pad holds let go, as at a pause; the
    // pipeline, the bindings of the key map in force, the shift map, the window-in-front watch and
    // its menu item are made anew from them; the timer starts again. The key map in force stays
    // and nothing is written.
    void ApplyOptions(const Options& options);

    void ApplyTemplate(const int16_t& n);
    void mnuTemp_Click(int16_t Index);
    void mnuKeySet_Click();
    void mnuPadActivity_Click();
    void mnuAbout_Click();
    void mnuHelp_Click();
    void mnuAppTemp_Click();
    void mnuOptions_Click();

    // mnuPop and everything below it; the key dialog renames the template items (mnuTemp).
    forms::MenuItem& Menu() { return mnuPop_; }
    // The options in force: read at start-up, replaced by ApplyOptions.
    const Options& options() const { return options_; }
    // The owner of the key map in force, which the dialogs ask and tell.
    TemplateSwitcher& Templates() { return switcher_; }

    int16_t DialogOpen = False;
    int16_t MenuOpen = False;

private:
    void ShowDialog(std::unique_ptr<forms::Form>& dialog, const DialogFactory& factory);
    // The whole record of the icon in the state in force.
    TrayRecord StateInForce() const;
    // The running tip, with the name of the key map in force below it while templates switch by
    // themselves or from the pad.
    std::string RunningTip(const std::string& tip) const;
    // Puts slot n in force (TemplateSwitcher::Switch) and moves the check mark to it.
    void SwitchTemplate(int16_t n, bool by_hand);
    // While the key map follows the program in front: the menu item of the dialog that assigns
    // templates to programs, and the watch of the window in front.
    void StartAppSwitch();
    void StopAppSwitch();

    SharedState& state_;
    Profile& profile_;
    EngineBuilder build_engine_;
    PollCycle* poll_ = nullptr;  // built at start-up
    TrayServices services_;
    TrayKeeper tray_;
    SettingsFile settings_;
    Options options_;
    TemplateSwitcher switcher_;
    forms::MenuItem mnuPop_;
    DialogFactory key_settings_factory_, general_settings_factory_, about_factory_, app_templates_factory_,
        options_factory_;
    std::unique_ptr<forms::Form> KeyS_, Prop_, ABox_, AppT_, Opts_;
    ForegroundWatch* foreground_ = nullptr;
    const AnsiCodePage* ansi_ = nullptr;
    // mnuTemp(0..10), owned by the menu tree.
    std::array<forms::MenuItem*, kTemplateCount + 1> mnuTemp_{};
    // The dialog on screen now, if any; unload leaves it alive until its modal call has returned.
    forms::Form* showing_ = nullptr;
    bool drop_after_show_ = false;
};

}  // namespace pwstd
