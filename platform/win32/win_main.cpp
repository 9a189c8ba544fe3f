// PwStd.exe: builds the one SharedState and the real Windows services, wires the resident form to
// its hidden window, brings the program up and runs the message loop until the program ends.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <typeinfo>

#include "dialogs/about/abox.h"
#include "dialogs/apps/appt.h"
#include "dialogs/general/prop.h"
#include "dialogs/keys/keys.h"
#include "dialogs/options/opts.h"
#include "engine/bindings/binding_table.h"
#include "engine/engine.h"
#include "engine/options.h"
#include "engine/shared_state.h"
#include "platform/win32/hidden_window.h"
#include "platform/win32/win_ansi_code_page.h"
#include "platform/win32/win_clock.h"
#include "platform/win32/win_foreground.h"
#include "platform/win32/win_joystick_backend.h"
#include "platform/win32/win_key_sink.h"
#include "platform/win32/win_poll_timer.h"
#include "platform/win32/win_power_throttling.h"
#include "platform/win32/win_profile.h"
#include "platform/win32/win_profile_section.h"
#include "platform/win32/win_rate_signal.h"
#include "platform/win32/win_retry_timer.h"
#include "platform/win32/win_shell.h"
#include "platform/win32/win_single_instance.h"
#include "platform/win32/win_sleeper.h"
#include "platform/win32/win_startup_registry.h"
#include "platform/win32/win_template_signal.h"
#include "platform/win32/win_tray_icon.h"
#include "platform/win32/win_xinput_backend.h"
#include "platform/win32/renderer/win_window_host.h"
#include "tray/form1.h"

#if defined(__GLIBCXX__)
#include <cxxabi.h>

// The handler that std::terminate calls by default. The C++ runtime's own one names the type of the
// exception through its demangler, which with the formatted printing it needs adds about 70 KB to
// the program. This one writes the same lines to stderr with the type's name as the compiler
// spells it, and aborts as that one does.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    static bool terminating = false;
    if (terminating) {
        std::fputs("terminate called recursively\n", stderr);
        std::abort();
    }
    terminating = true;
    if (const std::type_info* type = abi::__cxa_current_exception_type()) {
        std::fputs("terminate called after throwing an instance of '", stderr);
        const char* name = type->name();
        std::fputs(name[0] == '*' ? name + 1 : name, stderr);
        std::fputs("'\n", stderr);
        try {
            throw;
        } catch (const std::exception& e) {
            std::fputs("  what():  ", stderr);
            std::fputs(e.what(), stderr);
            std::fputs("\n", stderr);
        } catch (...) {
        }
    } else {
        std::fputs("terminate called without an active exception\n", stderr);
    }
    std::abort();
}
}  // namespace __gnu_cxx
#endif

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
    WinJoystickBackend joystick;
    WinXInputBackend xinput;
    WinClock clock;
    WinSleeper sleeper;
    WinProfile profile;
    LiveBindings bindings;

    // The window exists before the timer can tick: the poll cycle's rate signals are posted to it.
    HiddenWindow window(instance);
    WinTrayIcon tray(window.handle(), instance);
    WinRateSignal rate(window.handle());
    // The template button's presses and the window in front reach the form on this thread.
    WinTemplateSignal template_signal(window.handle());
    // What the options choose, made once they are read at start-up, before the timer starts.
    std::optional<WinKeySink> keys;
    std::optional<Engine> engine;
    WinPollTimer timer;
    WinWindowHost windows(window.handle());
    WinShell shell(window.handle());
    WinRetryTimer tray_retry(window.handle());

    auto build_engine = [&](const Options& options) -> PollCycle& {
        // XInput is loaded before the first reading: read first through the joystick service, the
        // same pad would be found again a moment later as another one. Where no XInput library
        // loads the option is ignored. Built again when the options change, with the timer stopped:
        // the old pipeline goes first, as it sends through the old key sink.
        PadBackend* xinput_pads = options.xinput && xinput.Load() ? &xinput : nullptr;
        engine.reset();
        keys.emplace(options.scan_codes);
        engine.emplace(state, options, bindings, joystick, xinput_pads, *keys, clock, rate);
        engine->poll.SetTemplateSignal(template_signal);
        timer.Run(engine->poll);
        return engine->poll;
    };
    Form1 form(state, profile, bindings, build_engine, TrayServices{tray, timer, sleeper, windows, shell, tray_retry});
    form.SetDialogs(
        [&] { return std::make_unique<KeyS>(state, form.options(), profile, form.Menu(), form.Templates()); },
        [&] {
            return std::make_unique<Prop>(state, form.options(), profile, timer, sleeper, engine->pads, form.Templates());
        },
        [] { return std::make_unique<ABox>(); });
    WinStartupRegistry startup;
    form.SetOptionsDialog([&] {
        return std::make_unique<Opts>(state, form.options(), profile, startup,
                                      [&](const Options& options) { form.ApplyOptions(options); });
    });
    WinForegroundWatch foreground;
    WinProfileSection sections;
    WinAnsiCodePage ansi;
    form.SetAppTemplates(foreground, ansi, [&] {
        return std::make_unique<AppT>(state, profile, sections, foreground, ansi, form.Menu(), form.Templates());
    });

    window.SetHandlers({
        .tray = [&](uint32_t message) { form.TrayCallback(message); },
        .taskbar_created = [&] { form.TaskbarCreated(); },
        .poll_rate = [&] { form.ShowPollRate(); },
        .tray_retry = [&] { form.TrayRetry_Timer(); },
        .display_changed = [&] { tray.DisplayChanged(); },
        .device_changed =
            [&] {
                if (engine) engine->pads.DeviceChanged();
            },
        .template_button = [&] { form.TemplateButton_Press(); },
        .unload = [&] { form.Shutdown(); },
    });

    form.Form_Load();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return Run(instance); }
