// pwstd_measure_footprint.exe --exe PwStd.exe --floor pwstd_floor.exe [--runs n (5)]
//                             [--ini line]... [seconds (20)] [wait (25)]
// Runs the given PwStd.exe and the floor program (one joyGetPosEx per tick of a multimedia timer,
// nothing else) one after the other under the same conditions, `runs` rounds per case, the order of
// the programs turning by one each round. For each run it prints the processor time used in a steady
// window of `seconds`, the peak resident memory and the polls per second; for each case the median
// and the range over the rounds of the ratios program / floor, and the libraries each program had
// mapped after start-up. The floor is also run as a tray floor (a hidden window and a tray icon
// updated once a second besides), which tells what the program adds to what any tray-resident
// poller needs, and as a hand-off floor, whose timer thread leaves the icon to the main thread by a
// posted message, as the program's does. Each --ini line is added to the program's PwStd.ini section, after Wait (and
// Repeat=0 in the toggled case).
// A measurement, not a test: it judges nothing. Under Wine only (the figures come from /proc).
//
// Cases:
//   no joystick  staged without the stand-in: the system's winmm answers that there is no joystick
//   pad toggled  stand-in joystick, stick centred, button 1 pressed and let go every 500 ms;
//                PwStd.ini Repeat=0, so the program sends one key event per change
//   pad held     (program only) button 1 held throughout with the default Repeat=1, Keyup=1: a
//                release and a press at every poll; its ratios are to the floors of the toggled case
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/tray_recorder.h"
#include "tests/win32/support/win_test_support.h"
#include "tools/measure/module_list.h"
#include "tools/measure/proc_stats.h"

using namespace pwstd::wintest;

namespace {

enum class Input { None, Toggled, Held };
enum Program { kPwStd, kFloor, kTrayFloor, kHandOffFloor, kPrograms };
const char* const kNames[kPrograms] = {"PwStd", "floor", "tray floor", "hand-off floor"};

struct Options {
    std::wstring exe, floor;
    std::vector<std::string> ini;
    int runs = 5;
    int seconds = 20;
    int wait = 25;
};

struct Result {
    bool ok = false;
    ProcFigures at_start, first, last;  // when polling began, window start, window end
    double seconds = 0;
    double polls_per_s = 0;
    std::string load;  // the load average when the run began
    std::vector<std::string> modules;
    double cpu_ms() const { return last.cpu_ms - first.cpu_ms; }
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

// The three load averages of /proc/loadavg.
std::string LoadAverage() {
    std::string text = ReadFileBytes(L"Z:\\proc\\loadavg");
    size_t end = 0;
    for (int fields = 0; fields < 3 && end != std::string::npos; ++fields)
        end = text.find(' ', end == 0 ? 0 : end + 1);
    return text.substr(0, end);
}

Result Run(Program program, Input input, const Options& options, TrayRecorder& tray) {
    Result result;
    result.load = LoadAverage();
    TempDir dir;
    StandinWinmm winmm;
    Counter counter;
    const bool standin = input != Input::None;
    const std::wstring exe = Stage(program == kPwStd ? options.exe : options.floor, dir.path(), standin);
    std::vector<std::wstring> args;
    if (program == kPwStd) {
        std::string ini = "[Padwright Standard]\r\nWait=" + std::to_string(options.wait) + "\r\n";
        if (input == Input::Toggled) ini += "Repeat=0\r\n";
        for (const std::string& line : options.ini) ini += line + "\r\n";
        WriteText(dir.file(L"PwStd.ini"), ini);
    } else {
        const wchar_t* icon = program == kTrayFloor ? L"1" : program == kHandOffFloor ? L"2" : L"0";
        args = {L"--wait", std::to_wstring(options.wait), L"--counter", counter.name(), L"--tray", icon};
    }
    winmm.set(input == Input::Held ? Held(0, 1) : Idle(0));

    const size_t tips_before = tray.count();
    Process process = Process::Start(exe, args, winmm.env());
    const auto polls = [&]() -> uint32_t {
        if (standin) return winmm.ticks();
        if (program != kPwStd) return counter.value();
        return static_cast<uint32_t>(tray.count() - tips_before);  // rate displays so far
    };
    if (!WaitFor([&] { return polls() >= 3; }, 30s)) {
        std::fprintf(stderr, "%s did not start polling\n", kNames[program]);
        return result;
    }
    const int pid = FindUnixPid(exe);
    result.at_start = ReadProc(pid);
    Sleep(2000);  // past start-up
    result.modules = ModuleNames(process.pid());

    const size_t tips_first = tray.count();
    result.first = ReadProc(pid);
    const uint32_t ticks_first = standin ? winmm.ticks() : counter.value();
    const int64_t start = Qpc();
    bool held = false;
    while (QpcMs(Qpc() - start) < options.seconds * 1000.0) {
        Sleep(500);
        if (input == Input::Toggled) {
            held = !held;
            winmm.set(held ? Held(0, 1) : Idle(0));
        }
    }
    const int64_t end = Qpc();
    const uint32_t ticks_last = standin ? winmm.ticks() : counter.value();
    result.last = ReadProc(pid);
    result.seconds = QpcMs(end - start) / 1000.0;
    process.kill();

    // With no joystick the program leaves the failing joystick alone between tries, so its polls
    // are the counts its tray tip shows; the floor counts its own ticks.
    if (standin || program != kPwStd)
        result.polls_per_s = (ticks_last - ticks_first) / result.seconds;
    else
        result.polls_per_s = ShownRate(tray.calls(), tips_first, end);
    result.ok = result.first.ok && result.last.ok;
    return result;
}

void Print(int round, Program program, const Result& r) {
    if (!r.ok) {
        std::printf("  %d %-14s  (no figures: the process was not found in /proc)\n", round,
                    kNames[program]);
        return;
    }
    std::printf("  %d %-14s  CPU %6.1f ms in %.1f s (%.3f %% of a core; start-up %.0f ms), peak "
                "%lld kB, %d threads, %.2f polls/s; load %s\n",
                round, kNames[program], r.cpu_ms(), r.seconds, r.cpu_ms() / (r.seconds * 10.0),
                r.at_start.cpu_ms, r.last.hwm_kb, r.last.threads, r.polls_per_s, r.load.c_str());
    std::fflush(stdout);
}

struct Spread {
    double median = 0, low = 0, high = 0;
};

Spread Of(std::vector<double> values) {
    Spread spread;
    if (values.empty()) return spread;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    spread.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    spread.low = values.front();
    spread.high = values.back();
    return spread;
}

// The ratios PwStd / `floor` over the rounds where both runs gave figures.
void PrintRatios(const char* name, const std::vector<Result>& pwstd, const std::vector<Result>& floor) {
    std::vector<double> cpu, memory, polls;
    for (size_t i = 0; i < pwstd.size() && i < floor.size(); ++i) {
        const Result& a = pwstd[i];
        const Result& b = floor[i];
        if (!a.ok || !b.ok) continue;
        const double cpu_b = b.cpu_ms() / b.seconds;
        if (cpu_b > 0) cpu.push_back(a.cpu_ms() / a.seconds / cpu_b);
        memory.push_back(static_cast<double>(a.last.hwm_kb) / static_cast<double>(b.last.hwm_kb));
        if (b.polls_per_s > 0) polls.push_back(a.polls_per_s / b.polls_per_s);
    }
    const Spread c = Of(cpu), m = Of(memory), p = Of(polls);
    std::printf("  PwStd / %-14s  median (range) of %zu: CPU %.2f (%.2f-%.2f), peak memory %.3f "
                "(%.3f-%.3f), polls/s %.3f (%.3f-%.3f)\n",
                name, memory.size(), c.median, c.low, c.high, m.median, m.low, m.high, p.median,
                p.low, p.high);
}

// Each program's libraries after start-up in the first round with figures, and any round that
// differs from it.
void PrintModules(Program program, const std::vector<Result>& runs) {
    const std::vector<std::string>* first = nullptr;
    for (size_t i = 0; i < runs.size(); ++i) {
        const std::vector<std::string>& modules = runs[i].modules;
        if (modules.empty()) continue;
        if (!first) {
            first = &modules;
            std::printf("  %s maps %zu modules:", kNames[program], modules.size());
            for (const std::string& name : modules) std::printf(" %s", name.c_str());
            std::printf("\n");
            continue;
        }
        std::vector<std::string> a = *first, b = modules;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        if (a == b) continue;
        std::printf("    round %zu differs:", i + 1);
        for (const std::string& name : b)
            if (!std::binary_search(a.begin(), a.end(), name)) std::printf(" +%s", name.c_str());
        for (const std::string& name : a)
            if (!std::binary_search(b.begin(), b.end(), name)) std::printf(" -%s", name.c_str());
        std::printf("\n");
    }
    if (!first) std::printf("  %s: no module list\n", kNames[program]);
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    std::vector<int> numbers;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == L"--exe" && has_value) {
            options.exe = FromBuildPath(Narrow(argv[++i]).c_str());
        } else if (arg == L"--floor" && has_value) {
            options.floor = FromBuildPath(Narrow(argv[++i]).c_str());
        } else if (arg == L"--ini" && has_value) {
            options.ini.push_back(Narrow(argv[++i]));
        } else if (arg == L"--runs" && has_value) {
            options.runs = _wtoi(argv[++i]);
        } else if (!arg.empty() && arg[0] != L'-') {
            numbers.push_back(_wtoi(arg.c_str()));
        } else {
            return false;
        }
    }
    if (numbers.size() > 0) options.seconds = numbers[0];
    if (numbers.size() > 1) options.wait = numbers[1];
    return !options.exe.empty() && !options.floor.empty() && options.runs > 0 &&
           options.seconds > 0 && options.wait > 0 && numbers.size() <= 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: pwstd_measure_footprint --exe PwStd.exe --floor pwstd_floor.exe "
                             "[--runs n] [--ini line]... [seconds] [wait]\n");
        return 2;
    }
    std::printf("program: %s (%lld bytes)\nfloor:   %s (%lld bytes)\n", Narrow(options.exe).c_str(),
                FileSize(options.exe), Narrow(options.floor).c_str(), FileSize(options.floor));
    std::printf("PwStd.ini: [Padwright Standard] Wait=%d", options.wait);
    for (const std::string& line : options.ini) std::printf(", %s", line.c_str());
    std::printf("\n%d rounds per case, the programs' order turning each round; a steady window of "
                "%d s per run, after start-up and 2 s more\n",
                options.runs, options.seconds);
    TrayRecorder tray;  // receives the programs' tray icon calls, so their tips can be read

    struct Case {
        const char* title;
        Input input;
        bool floors;
    };
    const Case cases[] = {{"no joystick (system winmm)", Input::None, true},
                          {"pad toggled (stand-in; button 1 every 500 ms; Repeat=0)", Input::Toggled, true},
                          {"pad held (stand-in; button 1 held; Repeat=1, Keyup=1)", Input::Held, false}};
    std::vector<Result> pad_floors[kPrograms];
    for (const Case& c : cases) {
        std::printf("%s\n", c.title);
        std::fflush(stdout);
        std::vector<Result> results[kPrograms];
        for (int p = 0; p < kPrograms; ++p) results[p].resize(static_cast<size_t>(options.runs));
        for (int round = 0; round < options.runs; ++round) {
            for (int k = 0; k < kPrograms; ++k) {
                const Program program = static_cast<Program>((round + k) % kPrograms);
                if (program != kPwStd && !c.floors) continue;
                Result& result = results[program][static_cast<size_t>(round)];
                result = Run(program, c.input, options, tray);
                Print(round + 1, program, result);
            }
        }
        if (c.floors && c.input != Input::None) {
            for (int p = kFloor; p < kPrograms; ++p) pad_floors[p] = results[p];
        }
        const std::vector<Result>* floors = c.floors ? results : pad_floors;
        for (int p = kFloor; p < kPrograms; ++p) PrintRatios(kNames[p], results[kPwStd], floors[p]);
        PrintModules(kPwStd, results[kPwStd]);
        if (c.floors) {
            for (int p = kFloor; p < kPrograms; ++p) PrintModules(static_cast<Program>(p), results[p]);
        }
        std::fflush(stdout);
    }
    return 0;
}
