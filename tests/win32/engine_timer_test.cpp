// The engine on the real Windows ports under a real multimedia timer: the stand-in winmm scripts the
// joystick and records the timer calls, the low-level hook sees the keys that reach the system.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/win32/engine_host_fixture.h"

namespace pwstd::wintest {
namespace {

using EngineTimer = EngineHostSuite;

// Each script holds its readings for a number of polls, so the keys do not depend on timing.
TEST_F(EngineTimer, SendsTheKeysOfEachRepeatModeForAScriptedPad) {
    const std::vector<standin::JoyStep> button_for_3 = {Idle(3), Held(3, kButton1), Idle(0)};
    const ScriptCase cases[] = {
        {"no repeat", 0, 0, button_for_3, "+65 -65"},
        {"key-up without repeat", 0, 1, button_for_3, "+65 -65"},
        {"repeat", 1, 0, button_for_3, "+65 +65 +65 -65"},
        {"repeat with key-up", 1, 1, button_for_3, "+65 -65 +65 -65 +65 -65"},
        {"left to right between two polls", 0, 0,
         {Idle(2), Held(2, 0, 0), Held(2, 0, 65535), Idle(0)},
         "+37 -37 +39 -39"},
        {"stick and button change in one poll", 0, 0,
         {Idle(2), Held(2, kButton1, 32768, 0), Held(2, 2, 32768, 65535), Idle(0)},
         "+38 +65 -38 -65 +40 +66 -40 -66"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        uint32_t scripted = 0;
        for (const standin::JoyStep& step : c.script) scripted += step.calls;
        // A few idle polls after the script's end show that nothing more comes.
        std::vector<KeyEvent> keys;
        EXPECT_EQ(KeysOfRun(c.script, Mode(c.repeat, c.keyup),
                            [&](EngineHostRun& host) { return host.winmm().joy_calls() >= scripted + 4; }, &keys),
                  c.keys);
        for (const KeyEvent& key : keys) {
            EXPECT_TRUE(key.injected) << key.vk;
            EXPECT_FALSE(key.extended) << key.vk;  // not even for the arrow keys
        }
    }
}

TEST_F(EngineTimer, StartsAndStopsThePeriodicTimerWithTheStatedArguments) {
    EngineHostRun host;
    host.winmm().set(Idle(0));
    host.start({L"--wait", L"25"});
    ASSERT_TRUE(WaitFor([&] { return host.winmm().ticks() >= 5; }, 10s));
    ASSERT_TRUE(host.stop());

    const std::vector<standin::CallRecord> calls = host.winmm().calls();
    ASSERT_EQ(calls.size(), 4u);
    const standin::CallRecord& begin = calls[0];
    const standin::CallRecord& set = calls[1];
    const standin::CallRecord& kill = calls[2];
    const standin::CallRecord& end = calls[3];
    EXPECT_EQ(begin.call, static_cast<uint32_t>(standin::Call::BeginPeriod));
    EXPECT_EQ(begin.args[0], 25u);
    EXPECT_EQ(set.call, static_cast<uint32_t>(standin::Call::SetEvent));
    EXPECT_EQ(set.args[0], 25u);  // delay
    EXPECT_EQ(set.args[1], 5u);   // resolution
    EXPECT_EQ(set.args[2], 1u);   // user value
    EXPECT_EQ(set.args[3], 0x101u);  // TIME_PERIODIC | TIME_KILL_SYNCHRONOUS
    EXPECT_NE(set.callback, 0u);
    EXPECT_NE(set.result, 0u);
    EXPECT_EQ(kill.call, static_cast<uint32_t>(standin::Call::KillEvent));
    EXPECT_EQ(kill.args[0], set.result);
    EXPECT_EQ(end.call, static_cast<uint32_t>(standin::Call::EndPeriod));
    EXPECT_EQ(end.args[0], 25u);

    // Ticks come on the timer's own thread, one at a time, and stop with the kill.
    EXPECT_NE(host.winmm().tick_thread(), set.thread);
    EXPECT_EQ(host.winmm().joy_thread(), host.winmm().tick_thread());
    EXPECT_EQ(host.winmm().overlaps(), 0u);
    EXPECT_LE(host.winmm().last_tick_qpc(), kill.qpc);
    EXPECT_EQ(host.winmm().joy_bad(), 0u);  // joystick 0, dwSize 52, dwFlags 0x83
}

TEST_F(EngineTimer, PollsAboutOnceEveryWaitMilliseconds) {
    for (int wait : {25, 10}) {
        SCOPED_TRACE(wait);
        EngineHostRun host;
        host.winmm().set(Idle(0));
        host.start({L"--wait", std::to_wstring(wait)});
        const PollRates measured = MeasurePolls(host, 1500);
        const double ticks = measured.ticks, calls = measured.calls;
        Sleep(700);  // the third rate display, the first over a whole second
        ASSERT_TRUE(host.stop());

        // Loose below, for a loaded machine; a period of twice the Wait still fails.
        const double expected = 1000.0 / wait;
        EXPECT_GT(ticks, expected * 0.6);
        EXPECT_LT(ticks, expected * 1.1);
        EXPECT_NEAR(calls, ticks, expected * 0.05);  // one reading a poll
        const std::vector<int> rates = host.shown_rates();
        ASSERT_GE(rates.size(), 3u);
        EXPECT_EQ(rates.front(), 0);  // the first poll shows the rate at once
        EXPECT_GT(rates.back(), expected * 0.6);
        EXPECT_LT(rates.back(), expected * 1.1 + 1);
    }
}

// A joystick that stops answering acts as a centred stick with every button up: held controls are
// released at the first failed reading, and then nothing is sent while the polls go on.
TEST_F(EngineTimer, ReleasesHeldControlsWhenTheJoystickFails) {
    const ScriptCase cases[] = {
        {"no repeat", 0, 0, {Held(3, kButton1, 0), Unplugged(0)}, "+37 +65 -37 -65"},
        {"repeat", 1, 0, {Held(2, kButton1), Unplugged(0)}, "+65 +65 -65"},
        {"repeat with key-up", 1, 1, {Held(2, kButton1), Unplugged(0)}, "+65 -65 +65 -65"},
    };
    for (const ScriptCase& c : cases) {
        SCOPED_TRACE(c.name);
        // Twenty polls after the failure show that the poll cycle goes on and sends nothing more.
        uint32_t until = 0;
        EXPECT_EQ(KeysOfRun(c.script, Mode(c.repeat, c.keyup),
                            [&](EngineHostRun& host) {
                                if (host.winmm().joy_calls() < 4) return false;
                                if (until == 0) until = host.winmm().ticks() + 20;
                                return host.winmm().ticks() >= until;
                            }),
                  c.keys);
    }
}

TEST_F(EngineTimer, KeepsPollingWithoutAnyJoystick) {
    EngineHostRun host(/*with_standin=*/false);
    const size_t from = recorder_->count();
    host.start({L"--wait", L"25"});
    Sleep(2300);
    ASSERT_TRUE(host.stop());
    EXPECT_EQ(KeyText(recorder_->keys(from)), "");
    const std::vector<int> rates = host.shown_rates();
    ASSERT_GE(rates.size(), 2u);
    EXPECT_GT(rates.back(), 40 * 0.6);
}

}  // namespace
}  // namespace pwstd::wintest
