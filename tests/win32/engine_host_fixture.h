#pragma once
// What the Windows tests of the engine host share: one keyboard hook for a whole suite, the
// repeat-mode arguments, a scripted run read back as its keys, and the rates of a running host.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/win32/engine_host_run.h"

namespace pwstd::wintest {

constexpr uint32_t kButton1 = 1;  // mask bit of button 1, mapped to 'A' (65) by the host

// Starting the hook takes a while, so a suite keeps one and each test reads the keys from its own
// start on.
class EngineHostSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() { recorder_ = std::make_unique<KeyRecorder>(); }
    static void TearDownTestSuite() { recorder_.reset(); }

    // Runs the host with `args` on `script` until `done` holds, stops it and gives the keys it
    // sent ("+65 -65"). A failed wait or stop is a test failure and gives "(no run)".
    static std::string KeysOfRun(const std::vector<standin::JoyStep>& script, const std::vector<std::wstring>& args,
                                 const std::function<bool(EngineHostRun&)>& done,
                                 std::vector<KeyEvent>* events = nullptr) {
        EngineHostRun host;
        host.winmm().script(script);
        const size_t from = recorder_->count();
        host.start(args);
        const bool finished = WaitFor([&] { return done(host); }, 10s);
        const bool stopped = host.stop();
        EXPECT_TRUE(finished) << "the run did not reach its end";
        EXPECT_TRUE(stopped) << "the host did not stop";
        if (!finished || !stopped) return "(no run)";
        const std::vector<KeyEvent> keys = recorder_->keys(from);
        if (events) *events = keys;
        return KeyText(keys);
    }

    static std::unique_ptr<KeyRecorder> recorder_;
};
inline std::unique_ptr<KeyRecorder> EngineHostSuite::recorder_;

inline std::vector<std::wstring> Mode(int repeat, int keyup) {
    return {L"--repeat", std::to_wstring(repeat), L"--keyup", std::to_wstring(keyup)};
}

// A scripted run, a row of a table: the repeat mode, the joystick's script and the keys expected.
struct ScriptCase {
    const char* name;
    int repeat;
    int keyup;
    std::vector<standin::JoyStep> script;
    const char* keys;
};

// Ticks and joystick calls per second of a running host over `ms` milliseconds, once its timer has
// ticked three times.
struct PollRates {
    double ticks = 0;     // per second
    double calls = 0;     // joyGetPosEx calls per second
    uint32_t retries = 0; // joyGetPosEx calls in the window
};

inline PollRates MeasurePolls(EngineHostRun& host, int ms) {
    PollRates rates;
    if (!WaitFor([&] { return host.winmm().ticks() >= 3; }, 10s)) {
        ADD_FAILURE() << "the timer did not tick";
        return rates;
    }
    const uint32_t ticks0 = host.winmm().ticks();
    const uint32_t calls0 = host.winmm().joy_calls();
    const int64_t t0 = Qpc();
    Sleep(static_cast<DWORD>(ms));
    const double seconds = QpcMs(Qpc() - t0) / 1000.0;
    rates.ticks = (host.winmm().ticks() - ticks0) / seconds;
    rates.retries = host.winmm().joy_calls() - calls0;
    rates.calls = rates.retries / seconds;
    return rates;
}

}  // namespace pwstd::wintest
