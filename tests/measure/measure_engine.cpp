// pwstd_measure_engine.exe [seconds (10)] [wait (25)]: runs the engine host on the stand-in
// joystick, presses and releases button 1 at irregular moments, and prints the poll rate, the
// latency from a joystick change to the key seen by the low-level hook, and the processor time the
// engine used. A measurement, not a test: it judges nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/win32/engine_host_run.h"

using namespace pwstd::wintest;

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 10;
    const int wait = argc > 2 ? _wtoi(argv[2]) : 25;
    KeyRecorder recorder;
    EngineHostRun host;
    host.winmm().set(Idle(0));
    host.start({L"--wait", std::to_wstring(wait), L"--repeat", L"0", L"--keyup", L"0"});
    if (!WaitFor([&] { return host.winmm().ticks() >= 3; }, 10s)) {
        std::fprintf(stderr, "the engine did not start polling\n");
        return 1;
    }

    const uint32_t ticks0 = host.winmm().ticks();
    const int64_t start = Qpc();
    std::vector<double> latencies;
    int missed = 0;
    bool held = false;
    std::srand(12345);
    while (QpcMs(Qpc() - start) < seconds * 1000.0) {
        Sleep(static_cast<DWORD>(60 + std::rand() % 90));  // not in step with the polls
        held = !held;
        const size_t before = recorder.count();
        host.winmm().set(held ? Held(0, 1) : Idle(0));
        const int64_t changed = Qpc();
        if (!recorder.wait_count(before + 1, 1s)) {
            ++missed;
            continue;
        }
        latencies.push_back(QpcMs(recorder.keys(before).front().qpc - changed));
    }
    const double elapsed = QpcMs(Qpc() - start) / 1000.0;
    const uint32_t polls = host.winmm().ticks() - ticks0;
    host.winmm().set(Idle(0));
    Sleep(200);
    host.stop();

    std::sort(latencies.begin(), latencies.end());
    const double median = latencies.empty() ? 0 : latencies[latencies.size() / 2];
    const double worst = latencies.empty() ? 0 : latencies.back();
    std::printf("Wait %d ms, %.1f s measured\n", wait, elapsed);
    std::printf("polls per second: %.1f (%u polls)\n", polls / elapsed, polls);
    std::printf("latency joystick change -> key seen by the hook: median %.1f ms, worst %.1f ms "
                "(%zu changes, %d without a key)\n",
                median, worst, latencies.size(), missed);
    const long long cpu = host.cpu_ms();
    const long long run = host.run_ms();
    std::printf("processor time of the engine process: %lld ms in %lld ms (%.2f %% of one core)\n",
                cpu, run, run > 0 ? static_cast<double>(cpu) * 100.0 / static_cast<double>(run) : 0.0);
    return 0;
}
