// A joystick that keeps failing is asked about once a second, not at every poll: on some systems a
// disconnected joystick makes each joyGetPosEx call take hundreds of milliseconds, which at a Wait
// of 10 or 25 would eat the timer thread. The reader gives the remembered failure in between, so
// the poll cycle itself keeps its full rate (held keys are released, the rate display goes on),
// and a joystick that answers again is taken up at the first retry, at most about a second late.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

#include "tests/win32/engine_host_fixture.h"

namespace pwstd::wintest {
namespace {

using EngineBackoff = EngineHostSuite;

TEST_F(EngineBackoff, AsksAFailingJoystickAboutOnceASecondWhileStillPollingAtFullRate) {
    for (int wait : {25, 10}) {
        SCOPED_TRACE(wait);
        EngineHostRun host;
        host.winmm().set(Unplugged(0));
        host.start({L"--wait", std::to_wstring(wait)});
        const PollRates measured = MeasurePolls(host, 3000);
        const double ticks = measured.ticks, calls = measured.calls;
        const uint32_t retries = measured.retries;
        ASSERT_TRUE(host.stop());
        std::printf("wait %d: %.1f polls/s, %.2f joyGetPosEx calls/s\n", wait, ticks, calls);

        const double expected = 1000.0 / wait;
        EXPECT_GT(ticks, expected * 0.6);
        EXPECT_LT(ticks, expected * 1.1);
        EXPECT_LE(calls, 2.0);
        // Left alone, not given up: three seconds hold at least two retries.
        EXPECT_GE(retries, 2u);
        EXPECT_EQ(host.winmm().joy_bad(), 0u);
    }
}

TEST_F(EngineBackoff, TakesUpAJoystickThatAnswersAgainWithinASecond) {
    constexpr int kWait = 25;
    EngineHostRun host;
    host.winmm().set(Unplugged(0));
    const size_t from = recorder_->count();
    host.start({L"--wait", std::to_wstring(kWait), L"--repeat", L"0", L"--keyup", L"0"});
    // Right after the first retry, the worst moment: the next one is a whole period away.
    ASSERT_TRUE(WaitFor([&] { return host.winmm().joy_calls() >= 2; }, 10s, 1ms))
        << "the reader did not retry while the joystick failed";
    const int64_t switched = Qpc();
    host.winmm().set(Held(0, kButton1));
    ASSERT_TRUE(recorder_->wait_count(from + 1, 5s)) << "the good reading was never used";
    const std::vector<KeyEvent> keys = recorder_->keys(from);
    const double late_ms = QpcMs(keys.front().qpc - switched);
    ASSERT_TRUE(host.stop());
    std::printf("first key %.0f ms after the joystick answered again\n", late_ms);

    EXPECT_EQ(keys.front().vk, 65u);
    EXPECT_FALSE(keys.front().up);
    // One retry period, one poll to act on the reading, and some slack for a loaded machine.
    EXPECT_LT(late_ms, 1000.0 + 2 * kWait + 300.0);
}

}  // namespace
}  // namespace pwstd::wintest
