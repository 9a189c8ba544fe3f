// pwstd_measure_engine.exe [changes (500)] [wait (25)] [engine|app]: presses and releases button 1
// of the stand-in joystick `changes` times at irregular moments and prints the poll rate, the
// latency from each joystick change to the key seen by a low-level keyboard hook (median, 99th
// percentile, worst) and the processor time used.
//   engine  the engine host (the engine on the real Windows ports, without the tray window)
//   app     the real PwStd.exe, staged with a PwStd.ini giving Wait, Repeat=0 and Keyup=0
// A measurement, not a test: it judges nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tools/measure/proc_stats.h"
#include "tests/win32/engine_host_run.h"

using namespace pwstd::wintest;

namespace {

// The program under measurement: either kind, with its stand-in joystick.
class Target {
public:
    virtual ~Target() = default;
    virtual StandinWinmm& winmm() = 0;
    virtual void stop() = 0;
    virtual double cpu_ms() = 0;  // processor time from start to now (engine: to its exit)
};

class EngineTarget final : public Target {
public:
    explicit EngineTarget(int wait) {
        host_.winmm().set(Idle(0));
        host_.start({L"--wait", std::to_wstring(wait), L"--repeat", L"0", L"--keyup", L"0"});
    }
    StandinWinmm& winmm() override { return host_.winmm(); }
    void stop() override { host_.stop(); }
    double cpu_ms() override { return static_cast<double>(host_.cpu_ms()); }

private:
    EngineHostRun host_;
};

class AppTarget final : public Target {
public:
    explicit AppTarget(int wait) {
        const std::string ini = "[Padwright Standard]\r\nWait=" + std::to_string(wait) +
                                "\r\nRepeat=0\r\nKeyup=0\r\n";
        HANDLE file = CreateFileW(dir_.file(L"PwStd.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
        CloseHandle(file);
        winmm_.set(Idle(0));
        exe_ = Stage(FromBuildPath(PWSTD_EXE_PATH), dir_.path(), true);
        process_ = Process::Start(exe_, {}, winmm_.env());
    }
    StandinWinmm& winmm() override { return winmm_; }
    void stop() override {
        cpu_ms_ = ReadProc(FindUnixPid(exe_)).cpu_ms;
        process_.kill();
    }
    double cpu_ms() override { return cpu_ms_; }

private:
    TempDir dir_;
    StandinWinmm winmm_;
    std::wstring exe_;
    Process process_;
    double cpu_ms_ = -1;
};

double Percentile(const std::vector<double>& sorted, int percent) {
    if (sorted.empty()) return 0;
    // The smallest value with at least `percent` % of the values at or below it.
    const size_t rank = (sorted.size() * static_cast<size_t>(percent) + 99) / 100;
    return sorted[std::max<size_t>(rank, 1) - 1];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int changes = argc > 1 ? _wtoi(argv[1]) : 500;
    const int wait = argc > 2 ? _wtoi(argv[2]) : 25;
    const bool app = argc > 3 && std::wstring(argv[3]) == L"app";
    KeyRecorder recorder;
    std::unique_ptr<Target> target;
    if (app) {
        target = std::make_unique<AppTarget>(wait);
    } else {
        target = std::make_unique<EngineTarget>(wait);
    }
    StandinWinmm& winmm = target->winmm();
    if (!WaitFor([&] { return winmm.ticks() >= 3; }, 30s)) {
        std::fprintf(stderr, "the program did not start polling\n");
        return 1;
    }
    Sleep(1000);  // past start-up

    const uint32_t ticks0 = winmm.ticks();
    const int64_t start = Qpc();
    std::vector<double> latencies;
    int missed = 0;
    bool held = false;
    std::srand(12345);
    for (int i = 0; i < changes; ++i) {
        Sleep(static_cast<DWORD>(40 + std::rand() % 60));  // not in step with the polls
        held = !held;
        const size_t before = recorder.count();
        winmm.set(held ? Held(0, 1) : Idle(0));
        const int64_t changed = Qpc();
        if (!recorder.wait_count(before + 1, 1s)) {
            ++missed;
            continue;
        }
        latencies.push_back(QpcMs(recorder.keys(before).front().qpc - changed));
    }
    const double elapsed = QpcMs(Qpc() - start) / 1000.0;
    const uint32_t polls = winmm.ticks() - ticks0;
    if (held) winmm.set(Idle(0));
    Sleep(200);
    target->stop();

    std::sort(latencies.begin(), latencies.end());
    double sum = 0;
    for (double l : latencies) sum += l;
    std::printf("%s, Wait %d ms, %.1f s measured\n", app ? "PwStd.exe" : "engine host", wait, elapsed);
    std::printf("polls per second: %.2f (%u polls)\n", polls / elapsed, polls);
    std::printf("latency joystick change -> key seen by the hook: median %.2f ms, p99 %.2f ms, "
                "worst %.2f ms, mean %.2f ms (%zu changes, %d without a key)\n",
                Percentile(latencies, 50), Percentile(latencies, 99),
                latencies.empty() ? 0 : latencies.back(),
                latencies.empty() ? 0 : sum / static_cast<double>(latencies.size()),
                latencies.size(), missed);
    std::printf("processor time of the %s process: %.0f ms over its whole run\n",
                app ? "PwStd.exe" : "engine host", target->cpu_ms());
    return 0;
}
