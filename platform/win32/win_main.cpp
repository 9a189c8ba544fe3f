// PwStd.exe: builds the one SharedState and the real Windows services, wires the resident form to
// its hidden window, brings the program up and runs the message loop until the program ends.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "dialogs/about/abox.h"
#include "dialogs/apps/appt.h"
#include "dialogs/general/prop.h"
#include "dialogs/keys/keys.h"
#include "engine/pad_reader.h"
#include "engine/poll_cycle.h"
#include "engine/shared_state.h"
#include "engine/xinput_source.h"
#include "platform/win32/hidden_window.h"
#include "platform/win32/win_ansi_code_page.h"
#include "platform/win32/win_clock.h"
#include "platform/win32/win_foreground.h"
#include "platform/win32/win_key_sink.h"
#include "platform/win32/win_pad_source.h"
#include "platform/win32/win_poll_timer.h"
#include "platform/win32/win_power_throttling.h"
#include "platform/win32/win_profile.h"
#include "platform/win32/win_profile_section.h"
#include "platform/win32/win_rate_signal.h"
#include "platform/win32/win_retry_timer.h"
#include "platform/win32/win_shell.h"
#include "platform/win32/win_single_instance.h"
#include "platform/win32/win_sleeper.h"
#include "platform/win32/win_template_signal.h"
#include "platform/win32/win_tray_icon.h"
#include "platform/win32/win_xinput_source.h"
#include "platform/win32/renderer/win_window_host.h"
#include "tray/form1.h"

namespace {

// The program's one set of settings and engine variables; the timer thread reads it until the
// process ends, so it outlives everything else.
pwstd::SharedState g_state;

int Run(HINSTANCE instance) {
    using namespace pwstd;
    // A second copy would poll the pad too and send every key twice: it only points to the first.
    if (!ClaimSingleInstance()) {
        ShowAlreadyRunning();
        return 0;
    }
    KeepTimerResolutionWhileHidden();

    SharedState& state = g_state;
    WinPadSource pad;
    WinKeySink keys(state.ScanCodes);
    WinClock clock;
    WinSleeper sleeper;
    WinProfile profile;
    WinXInput xinput;
    XInputPadSource pads(pad, &xinput, clock, state);
    PadReader reader(pads, clock, state);

    // The window exists before the timer can tick: the poll cycle's rate signals are posted to it.
    HiddenWindow window(instance);
    WinTrayIcon tray(window.handle(), instance);
    WinRateSignal rate(window.handle());
    PollCycle poll(state, reader, keys, clock, rate);
    WinPollTimer timer(poll);
    WinWindowHost windows(window.handle());
    WinShell shell(window.handle());
    WinRetryTimer tray_retry(window.handle());

    Form1 form(state, profile, poll, TrayServices{tray, timer, sleeper, windows, shell, tray_retry});
    form.SetDialogs([&] { return std::make_unique<KeyS>(state, profile, form.Menu()); },
                    [&] { return std::make_unique<Prop>(state, profile, timer, sleeper, reader, form.Menu()); },
                    [] { return std::make_unique<ABox>(); });
    // The template button's presses and the window in front reach the form on this thread.
    WinTemplateSignal template_signal(window.handle());
    poll.SetTemplateSignal(template_signal);
    WinForegroundWatch foreground;
    WinProfileSection sections;
    WinAnsiCodePage ansi;
    form.SetAppTemplates(foreground, ansi, [&] {
        return std::make_unique<AppT>(state, profile, sections, foreground, ansi, form.Menu());
    });

    window.SetHandlers({
        .tray = [&](uint32_t message) { form.TrayCallback(message); },
        .taskbar_created = [&] { form.TaskbarCreated(); },
        .poll_rate = [&] { form.ShowPollRate(); },
        .tray_retry = [&] { form.TrayRetry_Timer(); },
        .display_changed = [&] { tray.DisplayChanged(); },
        .device_changed =
            [&] {
                reader.DeviceChanged();
                pads.DeviceChanged();
            },
        .template_button = [&] { form.TemplateButton_Press(); },
        .unload = [&] { form.Shutdown(); },
    });

    form.Form_Load();
    // "XInput" is known once the settings are read; where no XInput library loads the option is
    // ignored. A pad found now is searched for at the next reading.
    if (state.XInput == 1) {
        if (xinput.Load()) {
            pads.DeviceChanged();
        } else {
            state.XInput = 0;
        }
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return Run(instance); }
