// The stand-in winmm's joystick script, called directly: every later test trusts its answers.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {
namespace {

using JoyGetPosEx = UINT(WINAPI*)(UINT, JOYINFOEX*);

struct Answer {
    UINT result;
    DWORD x = 0, y = 0, buttons = 0;
};

TEST(StandinWinmm, AnswersJoyGetPosExStepByStep) {
    StandinWinmm winmm;
    for (const auto& [name, value] : winmm.env()) SetEnvironmentVariableW(name.c_str(), value.c_str());
    HMODULE dll = LoadLibraryW(StandinDllPath().c_str());
    ASSERT_NE(dll, nullptr);
    const auto joy = reinterpret_cast<JoyGetPosEx>(
        reinterpret_cast<void*>(GetProcAddress(dll, "joyGetPosEx")));
    ASSERT_NE(joy, nullptr);
    const auto read = [&](DWORD flags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS) {
        JOYINFOEX info{};
        info.dwSize = sizeof info;
        info.dwFlags = flags;
        const UINT result = joy(0, &info);
        return Answer{result, info.dwXpos, info.dwYpos, info.dwButtons};
    };

    EXPECT_EQ(read().result, standin::kUnplugged) << "before any script";
    standin::JoyStep flaky = Held(4, 1);
    flaky.flaky = 1;
    winmm.script({Held(2, 5, 0, 65535), {1, 170, 0, 0, 0, 0}, flaky, Idle(7)});
    const Answer expected[] = {{0, 0, 65535, 5}, {0, 0, 65535, 5}, {170},
                               {0, 32768, 32768, 1}, {standin::kUnplugged}, {0, 32768, 32768, 1},
                               {standin::kUnplugged}, {0, 32768, 32768, 0},
                               {0, 32768, 32768, 0}};  // the last step lasts
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const Answer got = read();
        EXPECT_EQ(got.result, expected[i].result);
        if (expected[i].result == 0) {
            EXPECT_EQ(got.x, expected[i].x);
            EXPECT_EQ(got.y, expected[i].y);
            EXPECT_EQ(got.buttons, expected[i].buttons);
        }
    }
    EXPECT_EQ(winmm.joy_calls(), std::size(expected) + 1);
    EXPECT_EQ(winmm.joy_bad(), 0u);
    // Each step is stamped at its first reading; outside a timer tick there is no tick to stamp.
    for (int step = 1; step < 4; ++step)
        EXPECT_GT(winmm.step_read_qpc(step), winmm.step_read_qpc(step - 1)) << step;
    for (int step = 0; step < 4; ++step) EXPECT_EQ(winmm.step_read_tick_qpc(step), 0) << step;

    read(JOY_RETURNALL);
    EXPECT_EQ(winmm.joy_bad(), 1u) << "flags other than 0x83 are counted";
    const int64_t read_before = winmm.step_read_qpc(0);
    winmm.set(Unplugged(0));
    EXPECT_EQ(winmm.step_read_qpc(0), 0) << "a new script is unread";
    EXPECT_EQ(read().result, standin::kUnplugged) << "a new script applies from the next call";
    EXPECT_GT(winmm.step_read_qpc(0), read_before);

    FreeLibrary(dll);
    for (const auto& [name, value] : winmm.env()) SetEnvironmentVariableW(name.c_str(), nullptr);
}

}  // namespace
}  // namespace pwstd::wintest
