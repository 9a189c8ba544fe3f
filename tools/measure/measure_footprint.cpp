// pwstd_measure_footprint.exe [seconds (20)] [wait (25)] [xinput (0)]: runs the real PwStd.exe and the floor
// program (one joyGetPosEx per tick of a multimedia timer, nothing else) one after the other under
// the same conditions and prints, for each, the processor time used in a steady window of `seconds`,
// the peak resident memory and the polls per second, with the ratios program / floor. The floor is
// also run as a tray floor (a hidden window and a tray icon updated once a second besides), which
// tells what the program adds to what any tray-resident poller needs.
// A measurement, not a test: it judges nothing. Under Wine only (the figures come from /proc).
//
// Conditions:
//   no joystick  staged without the stand-in: the system's winmm answers that there is no joystick
//   pad toggled  stand-in joystick, stick centred, button 1 pressed and let go every 500 ms;
//                PwStd.ini Repeat=0, so the program sends one key event per change
//   pad held     (program only) button 1 held throughout with the default Repeat=1, Keyup=1: a
//                release and a press at every poll
// With xinput 1 the program runs with XInput=1 and, where the stand-in is staged, its pad is an
// XInput pad at user 0 (A is button 1); the floor programs are unchanged.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/tray_recorder.h"
#include "tools/measure/proc_stats.h"
#include "tests/win32/support/win_test_support.h"

using namespace pwstd::wintest;

namespace {

enum class Input { None, Toggled, Held };
enum class Program { PwStd, Floor, TrayFloor };

struct Result {
    bool ok = false;
    ProcFigures at_start, first, last;  // when polling began, window start, window end
    ProcFigures server_first, server_last;
    int server = 0;
    double seconds = 0;
    double polls_per_s = 0;
    const char* polls_from = "";
    double shown_per_s = 0;  // PwStd: from the poll counts its tray tip shows
};

// Polls counted from the rate display's tips: each shows the polls since the previous display, not
// counting the poll that makes the display, so the polls between two displays are the sum of
// (shown + 1) over the later tips.
double ShownRate(const std::vector<TrayCall>& calls, size_t from, int64_t end) {
    int64_t first = 0, last = 0;
    long long polls = 0;
    for (size_t i = from; i < calls.size() && calls[i].qpc <= end; ++i) {
        const std::string& tip = calls[i].tip;
        const size_t fps = tip.rfind("FPS");
        const size_t space = tip.rfind(' ', fps);
        if (fps == std::string::npos || space == std::string::npos) continue;
        const int shown = std::atoi(tip.substr(space + 1, fps - space - 1).c_str());
        if (first == 0) {
            first = calls[i].qpc;
            continue;
        }
        polls += shown + 1;
        last = calls[i].qpc;
    }
    return last > first ? static_cast<double>(polls) * 1000.0 / QpcMs(last - first) : 0;
}

class Counter {
public:
    Counter() : name_(L"Local\\PwStdFloorCounter." + std::to_wstring(GetCurrentProcessId()) + L"." +
                      std::to_wstring(GetTickCount())) {
        mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096,
                                      name_.c_str());
        value_ = static_cast<volatile LONG*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    ~Counter() {
        UnmapViewOfFile(const_cast<LONG*>(value_));
        CloseHandle(mapping_);
    }
    const std::wstring& name() const { return name_; }
    uint32_t value() const { return static_cast<uint32_t>(*value_); }

private:
    std::wstring name_;
    HANDLE mapping_ = nullptr;
    volatile LONG* value_ = nullptr;
};

void WriteText(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

Result Run(Program program, Input input, int seconds, int wait, bool xinput, TrayRecorder& tray) {
    Result result;
    TempDir dir;
    StandinWinmm winmm;
    Counter counter;
    const bool standin = input != Input::None;
    const std::wstring source = program == Program::PwStd
                                    ? FromBuildPath(PWSTD_EXE_PATH)
                                    : TestBinDir() + L"\\pwstd_floor.exe";
    const std::wstring exe = Stage(source, dir.path(), standin);
    std::vector<std::wstring> args;
    if (program == Program::PwStd) {
        std::string ini = "[Padwright Standard]\r\nWait=" + std::to_string(wait) + "\r\n";
        if (input == Input::Toggled) ini += "Repeat=0\r\n";
        if (xinput) ini += "XInput=1\r\n";
        WriteText(dir.file(L"PwStd.ini"), ini);
    } else {
        args = {L"--wait", std::to_wstring(wait), L"--counter", counter.name(), L"--tray",
                program == Program::TrayFloor ? L"1" : L"0"};
    }
    winmm.set(input == Input::Held ? Held(0, 1) : Idle(0));
    const bool xinput_pad = xinput && program == Program::PwStd && standin;
    if (xinput_pad) winmm.set_xinput(0, input == Input::Held ? 0x1000u : 0u);

    const size_t tips_before = tray.count();
    Process process = Process::Start(exe, args, winmm.env());
    const auto polls = [&]() -> uint32_t {
        if (standin) return winmm.ticks();
        if (program != Program::PwStd) return counter.value();
        return static_cast<uint32_t>(tray.count() - tips_before);  // rate displays so far
    };
    if (!WaitFor([&] { return polls() >= 3; }, 30s)) {
        std::fprintf(stderr, "the program did not start polling\n");
        return result;
    }
    const int pid = FindUnixPid(exe);
    const int server = FindWineServer();
    result.server = server;
    result.at_start = ReadProc(pid);
    Sleep(2000);  // past start-up

    const size_t tips_first = tray.count();
    result.first = ReadProc(pid);
    result.server_first = ReadProc(server);
    const uint32_t ticks_first = standin ? winmm.ticks() : counter.value();
    const int64_t start = Qpc();
    bool held = false;
    while (QpcMs(Qpc() - start) < seconds * 1000.0) {
        Sleep(500);
        if (input == Input::Toggled) {
            held = !held;
            winmm.set(held ? Held(0, 1) : Idle(0));
            if (xinput_pad) winmm.set_xinput(0, held ? 0x1000u : 0u);
        }
    }
    const int64_t end = Qpc();
    const uint32_t ticks_last = standin ? winmm.ticks() : counter.value();
    result.last = ReadProc(pid);
    result.server_last = ReadProc(server);
    result.seconds = QpcMs(end - start) / 1000.0;
    process.kill();

    if (program == Program::PwStd) result.shown_per_s = ShownRate(tray.calls(), tips_first, end);
    if (standin || program != Program::PwStd) {
        result.polls_per_s = (ticks_last - ticks_first) / result.seconds;
        result.polls_from = standin ? "timer ticks through the stand-in" : "the floor's own count";
    } else {
        result.polls_per_s = result.shown_per_s;
        result.polls_from = "the counts the tray tip shows";
    }
    result.ok = result.first.ok && result.last.ok;
    return result;
}

void Print(const char* name, const Result& r) {
    if (!r.ok) {
        std::printf("  %-6s  (no figures: the process was not found in /proc)\n", name);
        return;
    }
    const double cpu = r.last.cpu_ms - r.first.cpu_ms;
    std::printf("  %-6s  CPU %7.1f ms in %.1f s = %5.3f %% of a core (clock ticks: %.0f ms; "
                "start-up %.0f ms)\n",
                name, cpu, r.seconds, cpu / (r.seconds * 10.0), r.last.cpu_tick_ms - r.first.cpu_tick_ms,
                r.at_start.cpu_ms);
    if (r.server_first.ok && r.server_last.ok)
        std::printf("          the Wine server (pid %d) meanwhile, for all its clients: %.1f ms\n",
                    r.server, r.server_last.cpu_ms - r.server_first.cpu_ms);
    std::printf("          peak resident %lld kB (VmHWM; now %lld kB, %d threads)\n", r.last.hwm_kb,
                r.last.rss_kb, r.last.threads);
    std::printf("          polls per second %.2f (%s)", r.polls_per_s, r.polls_from);
    if (r.shown_per_s > 0) std::printf("; as the tray tip shows: %.2f", r.shown_per_s);
    std::printf("\n");
}

void Ratios(const char* name, const Result& a, const Result& b) {
    if (!a.ok || !b.ok) return;
    const double cpu_a = (a.last.cpu_ms - a.first.cpu_ms) / a.seconds;
    const double cpu_b = (b.last.cpu_ms - b.first.cpu_ms) / b.seconds;
    std::printf("  ratio PwStd/%s: CPU %.2f, peak memory %.2f\n", name, cpu_b > 0 ? cpu_a / cpu_b : 0.0,
                static_cast<double>(a.last.hwm_kb) / static_cast<double>(b.last.hwm_kb));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 20;
    const int wait = argc > 2 ? _wtoi(argv[2]) : 25;
    const bool xinput = argc > 3 && _wtoi(argv[3]) == 1;
    TrayRecorder tray;  // receives the program's tray icon calls, so its tips can be read
    std::printf("Wait %d ms, a steady window of %d s per run, after start-up and 2 s more%s\n", wait,
                seconds, xinput ? "; PwStd with XInput=1 and an XInput pad where the stand-in is" : "");
    struct Case {
        const char* title;
        Input input;
        bool floor;
    };
    const Case cases[] = {{"no joystick (system winmm)", Input::None, true},
                          {"pad toggled (stand-in; button 1 every 500 ms; Repeat=0)", Input::Toggled, true},
                          {"pad held (stand-in; button 1 held; Repeat=1, Keyup=1)", Input::Held, false}};
    Result floor_pad, tray_pad;
    for (const Case& c : cases) {
        std::printf("%s\n", c.title);
        std::fflush(stdout);
        const Result a = Run(Program::PwStd, c.input, seconds, wait, xinput, tray);
        Print("PwStd", a);
        std::fflush(stdout);
        Result b = floor_pad, t = tray_pad;
        if (c.floor) {
            b = Run(Program::Floor, c.input, seconds, wait, xinput, tray);
            Print("floor", b);
            std::fflush(stdout);
            t = Run(Program::TrayFloor, c.input, seconds, wait, xinput, tray);
            Print("tray", t);
            if (c.input != Input::None) {
                floor_pad = b;
                tray_pad = t;
            }
        } else {
            std::printf("  (floor and tray floor as in the toggled run above)\n");
        }
        Ratios("floor", a, b);
        Ratios("tray floor", a, t);
        std::fflush(stdout);
    }
    return 0;
}
