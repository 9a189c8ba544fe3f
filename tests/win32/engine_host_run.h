#pragma once
// One run of pwstd_engine_host.exe, staged in a folder of its own with or without the stand-in
// winmm.dll, told to stop through a named event, its log read back afterwards.
#include <string>
#include <vector>

#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {

class EngineHostRun {
public:
    explicit EngineHostRun(bool with_standin = true);
    ~EngineHostRun();
    EngineHostRun(const EngineHostRun&) = delete;
    EngineHostRun& operator=(const EngineHostRun&) = delete;

    StandinWinmm& winmm() { return winmm_; }
    // Starts the host with `args` (--wait, --repeat, ...); it runs until stop() or 60 s.
    void start(const std::vector<std::wstring>& args);
    // Sets the quit event and waits for the host to end; false when it did not within 10 s.
    bool stop();
    bool running() const { return process_.running(); }

    std::vector<std::string> log_lines() const;
    // The rate display's tips, in order.
    std::vector<std::string> tips() const;
    // The poll counts shown by the tips ("動作中・・・ 40FPS" gives 40); -1 for a tip without one.
    std::vector<int> shown_rates() const;
    // Processor time the host used and its time from start to exit, as it reported them at exit;
    // -1 before.
    long long cpu_ms() const { return number("cpu_ms "); }
    long long run_ms() const { return number("run_ms "); }

private:
    long long number(const std::string& prefix) const;

    TempDir dir_;
    StandinWinmm winmm_;
    std::wstring exe_;
    std::wstring event_name_;
    void* quit_ = nullptr;
    Process process_;
};

}  // namespace pwstd::wintest
