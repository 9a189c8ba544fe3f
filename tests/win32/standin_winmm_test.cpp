// The stand-in winmm's joystick script, called directly: every later test trusts its answers.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <utility>

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

    // The hat goes only to a call that asks for it; the script answers at the id chosen alone.
    standin::JoyStep hat = Held(0, 2);
    hat.pov = 13500;
    winmm.set(hat);
    winmm.answer_at(2);
    winmm.expect_calls(JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS | JOY_RETURNPOV, true);
    const auto at = [&](UINT id, DWORD flags) {
        JOYINFOEX info{};
        info.dwSize = sizeof info;
        info.dwFlags = flags;
        info.dwPOV = 7;
        const UINT result = joy(id, &info);
        return std::pair<UINT, DWORD>{result, result == 0 ? info.dwPOV : 0};
    };
    const uint32_t bad = winmm.joy_bad();
    EXPECT_EQ(at(0, 0xC3).first, standin::kUnplugged);
    EXPECT_EQ(at(2, 0xC3), (std::pair<UINT, DWORD>{0, 13500}));
    EXPECT_EQ(at(15, 0xC3).first, standin::kUnplugged);
    EXPECT_EQ(winmm.joy_bad(), bad) << "any id below joyGetNumDevs() with the hat's flags is right";
    EXPECT_EQ(at(2, 0x83), (std::pair<UINT, DWORD>{0, 7})) << "no hat unless asked";
    EXPECT_EQ(at(16, 0xC3).first, static_cast<UINT>(JOYERR_PARMS));
    EXPECT_EQ(winmm.joy_bad(), bad + 2);
    EXPECT_EQ(winmm.joy_ids(), 1u | 1u << 2 | 1u << 15 | 1u << 16);
    const auto num_devs = reinterpret_cast<UINT(WINAPI*)()>(
        reinterpret_cast<void*>(GetProcAddress(dll, "joyGetNumDevs")));
    ASSERT_NE(num_devs, nullptr);
    EXPECT_EQ(num_devs(), 16u);

    // The capabilities at the id the script answers at: as told, or the failure told.
    const auto dev_caps = reinterpret_cast<UINT(WINAPI*)(UINT_PTR, JOYCAPSW*, UINT)>(
        reinterpret_cast<void*>(GetProcAddress(dll, "joyGetDevCapsW")));
    ASSERT_NE(dev_caps, nullptr);
    const auto caps = [&](UINT_PTR id, UINT size = sizeof(JOYCAPSW)) {
        JOYCAPSW c{};
        const UINT result = dev_caps(id, &c, size);
        return std::pair<UINT, std::pair<UINT, UINT>>{result, {c.wNumAxes, c.wCaps}};
    };
    const auto with = [](UINT result, UINT axes, UINT flags) {
        return std::pair<UINT, std::pair<UINT, UINT>>{result, {axes, flags}};
    };
    const uint32_t bad_before = winmm.joy_bad();
    EXPECT_EQ(caps(2), with(0, 2, JOYCAPS_HASPOV)) << "two axes and a hat until told";
    winmm.pad_caps(0, 4, JOYCAPS_HASZ | JOYCAPS_HASR);
    EXPECT_EQ(caps(2), with(0, 4, JOYCAPS_HASZ | JOYCAPS_HASR));
    winmm.pad_caps(167, 4, JOYCAPS_HASPOV);
    EXPECT_EQ(caps(2).first, 167u);
    EXPECT_EQ(winmm.joy_bad(), bad_before);
    EXPECT_EQ(caps(0).first, static_cast<UINT>(JOYERR_PARMS)) << "no pad there";
    EXPECT_EQ(caps(2, sizeof(JOYCAPSA)).first, static_cast<UINT>(JOYERR_PARMS));
    EXPECT_EQ(winmm.joy_bad(), bad_before + 2);
    EXPECT_EQ(winmm.caps_calls(), 5u);

    FreeLibrary(dll);
    for (const auto& [name, value] : winmm.env()) SetEnvironmentVariableW(name.c_str(), nullptr);
}

}  // namespace
}  // namespace pwstd::wintest
