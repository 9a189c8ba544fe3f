// pwstd_engine_host.exe: the engine on the real Windows ports, without the tray window. Starts the
// poll timer the way the program does, runs until its time is up or its quit event is set, then
// stops the timer and exits.
//
//   --wait ms (25)  --buttons n (4)  --kando k (16384)  --repeat 0|1 (1)  --keyup 0|1 (1)
//   --ms run time (10000)  --quit-event name  --log file
//
// Key map: the arrow keys for the directions, 'A' + i - 1 for button i (F1.. above 26).
// The log file gets one line "tip <text>" per rate display and, at exit, "cpu_ms <n>" with the
// processor time the process used and "run_ms <n>" with the time from start to exit.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

#include "engine/engine.h"
#include "engine/shared_state.h"
#include "platform/win32/win_clock.h"
#include "platform/win32/win_joystick_backend.h"
#include "platform/win32/win_key_sink.h"
#include "platform/win32/win_poll_timer.h"

namespace {

struct Options {
    int32_t wait = 25;
    int32_t buttons = 4;
    int32_t kando = 16384;
    int16_t repeat = 1;
    int16_t keyup = 1;
    DWORD ms = 10000;
    std::wstring quit_event;
    std::wstring log;
};

Options Parse(int argc, wchar_t** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        const wchar_t* value = argv[i + 1];
        const long number = std::wcstol(value, nullptr, 10);
        if (name == L"--wait") options.wait = static_cast<int32_t>(number);
        if (name == L"--buttons") options.buttons = static_cast<int32_t>(number);
        if (name == L"--kando") options.kando = static_cast<int32_t>(number);
        if (name == L"--repeat") options.repeat = static_cast<int16_t>(number);
        if (name == L"--keyup") options.keyup = static_cast<int16_t>(number);
        if (name == L"--ms") options.ms = static_cast<DWORD>(number);
        if (name == L"--quit-event") options.quit_event = value;
        if (name == L"--log") options.log = value;
    }
    return options;
}

// Appends whole lines to the log; written from the timer thread and the main thread.
class Log {
public:
    explicit Log(const std::wstring& path) {
        if (!path.empty())
            file_ = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, 0, nullptr);
    }
    ~Log() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    void line(const std::string& text) {
        if (file_ == INVALID_HANDLE_VALUE) return;
        const std::string whole = text + "\n";
        DWORD written = 0;
        WriteFile(file_, whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr);
    }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

// The host has no tray icon and no UI thread: each rate display is taken at its signal and its tip
// goes to the log.
class LogRate final : public pwstd::RateSignal {
public:
    explicit LogRate(Log& log) : log_(log) {}
    void attach(pwstd::PollCycle& cycle) { cycle_ = &cycle; }
    bool post() override {
        if (!cycle_) return true;
        if (const std::optional<pwstd::PollRate> rate = cycle_->TakePollRate())
            log_.line("tip " + pwstd::PollRateTip(rate->polls));
        return true;
    }

private:
    Log& log_;
    pwstd::PollCycle* cycle_ = nullptr;
};

int32_t ButtonKey(int i) { return i <= 26 ? 'A' + i - 1 : VK_F1 + (i - 27); }

uint64_t CpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const ULONGLONG started = GetTickCount64();
    const Options options = Parse(argc, argv);
    HANDLE quit = options.quit_event.empty()
                      ? nullptr
                      : OpenEventW(SYNCHRONIZE, FALSE, options.quit_event.c_str());
    Log log(options.log);

    pwstd::SharedState state;
    pwstd::WinJoystickBackend pad;
    pwstd::WinKeySink keys(false);
    pwstd::WinClock clock;
    LogRate rate(log);
    pwstd::LiveBindings bindings;
    pwstd::Engine engine(state, pwstd::Options{}, bindings, pad, nullptr, keys, clock, rate);
    pwstd::PollCycle& cycle = engine.poll;
    rate.attach(cycle);
    pwstd::WinPollTimer timer;
    timer.Run(cycle);

    state.IconFrame = 1;
    state.PadActive = pwstd::True;
    state.Kando = options.kando;
    state.Wait = options.wait;
    state.Buttons = options.buttons;
    state.Repeat = options.repeat;
    state.Keyup = options.keyup;
    pwstd::BindingTable table;
    table[pwstd::kControlUp] = pwstd::Action::Key(VK_UP);
    table[pwstd::kControlDown] = pwstd::Action::Key(VK_DOWN);
    table[pwstd::kControlLeft] = pwstd::Action::Key(VK_LEFT);
    table[pwstd::kControlRight] = pwstd::Action::Key(VK_RIGHT);
    for (int i = 1; i <= pwstd::kMaxButtons; ++i) table[pwstd::ButtonControl(i)] = pwstd::Action::Key(ButtonKey(i));
    bindings.Publish(table);

    timer.begin_period(state.Wait);
    state.TimerId = timer.set_event(state.Wait, 5);

    if (quit) {
        WaitForSingleObject(quit, options.ms);
    } else {
        Sleep(options.ms);
    }

    timer.kill_event(state.TimerId);
    timer.end_period(state.Wait);
    Sleep(100);
    cycle.ReleaseHeld();
    log.line("cpu_ms " + std::to_string(CpuMs()));
    log.line("run_ms " + std::to_string(GetTickCount64() - started));
    return 0;
}
