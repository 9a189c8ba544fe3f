#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/pad_reader.h"
#include "engine/xinput_map.h"
#include "engine/xinput_source.h"
#include "tests/support/fakes.h"

namespace pwstd {
namespace {

using testing::FakeClock;
using testing::FakePadSource;

TEST(XInputReading, PresentsThePadAsTheJoystickServiceDoes) {
    struct Row {
        const char* what;
        XInputPad pad;
        uint32_t x, y, buttons, pov, u, r;
    };
    constexpr uint32_t C = kJoyPovCentered;
    const std::vector<Row> rows = {
        {"at rest", {}, 32768, 32767, 0, C, 32768, 32767},
        {"A", {kXInputA}, 32768, 32767, 1u << 0, C, 32768, 32767},
        {"B", {kXInputB}, 32768, 32767, 1u << 1, C, 32768, 32767},
        {"X", {kXInputX}, 32768, 32767, 1u << 2, C, 32768, 32767},
        {"Y", {kXInputY}, 32768, 32767, 1u << 3, C, 32768, 32767},
        {"LB", {kXInputLeftShoulder}, 32768, 32767, 1u << 4, C, 32768, 32767},
        {"RB", {kXInputRightShoulder}, 32768, 32767, 1u << 5, C, 32768, 32767},
        {"Back", {kXInputBack}, 32768, 32767, 1u << 6, C, 32768, 32767},
        {"Start", {kXInputStart}, 32768, 32767, 1u << 7, C, 32768, 32767},
        {"left stick press", {kXInputLeftThumb}, 32768, 32767, 1u << 8, C, 32768, 32767},
        {"right stick press", {kXInputRightThumb}, 32768, 32767, 1u << 9, C, 32768, 32767},
        {"left trigger", {0, 255}, 32768, 32767, 1u << 10, C, 32768, 32767},
        {"right trigger", {0, 0, 31}, 32768, 32767, 1u << 11, C, 32768, 32767},
        {"both triggers", {0, 200, 200}, 32768, 32767, 3u << 10, C, 32768, 32767},
        {"triggers at the threshold", {0, 30, 30}, 32768, 32767, 0, C, 32768, 32767},
        {"left stick up and left", {0, 0, 0, -32768, 32767}, 0, 0, 0, C, 32768, 32767},
        {"left stick down and right", {0, 0, 0, 32767, -32768}, 65535, 65535, 0, C, 32768, 32767},
        {"right stick up and left", {0, 0, 0, 0, 0, -32768, 32767}, 32768, 32767, 0, C, 0, 0},
        {"right stick down and right", {0, 0, 0, 0, 0, 32767, -32768}, 32768, 32767, 0, C, 65535, 65535},
        {"cross pad up", {kXInputDpadUp}, 32768, 32767, 0, 0, 32768, 32767},
        {"cross pad up right", {kXInputDpadUp | kXInputDpadRight}, 32768, 32767, 0, 4500, 32768, 32767},
        {"cross pad right", {kXInputDpadRight}, 32768, 32767, 0, 9000, 32768, 32767},
        {"cross pad down right", {kXInputDpadDown | kXInputDpadRight}, 32768, 32767, 0, 13500, 32768, 32767},
        {"cross pad down", {kXInputDpadDown}, 32768, 32767, 0, 18000, 32768, 32767},
        {"cross pad down left", {kXInputDpadDown | kXInputDpadLeft}, 32768, 32767, 0, 22500, 32768, 32767},
        {"cross pad left", {kXInputDpadLeft}, 32768, 32767, 0, 27000, 32768, 32767},
        {"cross pad up left", {kXInputDpadUp | kXInputDpadLeft}, 32768, 32767, 0, 31500, 32768, 32767},
        {"cross pad up and down", {kXInputDpadUp | kXInputDpadDown}, 32768, 32767, 0, C, 32768, 32767},
    };
    for (const Row& row : rows) {
        const JoyReading r = XInputReading(row.pad);
        EXPECT_EQ((std::vector<uint32_t>{r.Xpos, r.Ypos, r.Buttons, r.Pov, r.Upos, r.Rpos, r.Zpos, r.Vpos}),
                  (std::vector<uint32_t>{row.x, row.y, row.buttons, row.pov, row.u, row.r, 0, 0}))
            << row.what;
    }
}

// A scripted set of four XInput users.
class FakeXInput final : public XInputPort {
public:
    int connected = -1;  // the user with a pad, -1 for none
    XInputPad pad;
    std::vector<uint32_t> asked;
    uint32_t state(uint32_t user, XInputPad& out) override {
        asked.push_back(user);
        if (static_cast<int>(user) != connected) return 1167;
        out = pad;
        return 0;
    }
};

class XInputSourceTest : public ::testing::Test {
protected:
    XInputSourceTest() {
        state.Kando = 16384;
        state.XInput = 1;
        state.AllAxes = 1;
        joystick.reading = {65535, 32768, 0x80};
        joystick.joy_caps = {3, kJoyCapsHasZ};
    }
    FakePadSource joystick;
    FakeXInput xinput;
    FakeClock clock;
    SharedState state;
    XInputPadSource source{joystick, &xinput, clock, state};
    PadReader reader{source, clock, state};
};

TEST_F(XInputSourceTest, SearchesAtStartDeviceChangeAndOnceASecondAndFallsBackToTheJoystick) {
    EXPECT_EQ(reader.ReadPad(0).DirX, 1) << "no XInput pad: the joystick service";
    EXPECT_EQ(xinput.asked, (std::vector<uint32_t>{0, 1, 2, 3}));
    xinput.connected = 2;
    xinput.pad = {kXInputB, 0, 255, -32768, 0, 0, 0};
    clock.now = 999;
    EXPECT_EQ(reader.ReadPad(0).DirX, 1) << "not searched again within the second";
    EXPECT_EQ(xinput.asked.size(), 4u);
    reader.DeviceChanged();
    source.DeviceChanged();
    PadSnapshot s = reader.ReadPad(0);
    EXPECT_EQ(s.DirX, -1);
    EXPECT_EQ(s.ButtonMask, 0x802u) << "B and the right trigger";
    EXPECT_EQ(s.AxisMask, 0u) << "the right stick rests centred; no Z";
    xinput.pad.ry = 32767;
    EXPECT_EQ(reader.ReadPad(0).AxisMask, 0x4u) << "R low: the right stick up";
    xinput.asked.clear();
    reader.ReadPad(0);
    EXPECT_EQ(xinput.asked, std::vector<uint32_t>{2}) << "a connected pad costs one call";
    const int joystick_calls = joystick.calls;
    xinput.connected = -1;
    EXPECT_EQ(reader.ReadPad(0).ReadError, 167) << "a pad that disconnects is a failed reading";
    clock.now = 3000;  // past the reader's back-off
    EXPECT_EQ(reader.ReadPad(0).DirX, 1) << "then the joystick service, searching once a second";
    EXPECT_EQ(joystick.calls, joystick_calls + 1);
    state.XInput = 0;
    xinput.connected = 0;
    xinput.asked.clear();
    clock.now = 9000;
    EXPECT_EQ(reader.ReadPad(0).DirX, 1);
    EXPECT_TRUE(xinput.asked.empty()) << "with the option off XInput is never asked";
}

TEST(XInputSource, WithoutTheLibraryTheJoystickServiceIsRead) {
    FakePadSource joystick;
    FakeClock clock;
    SharedState state;
    state.XInput = 1;
    XInputPadSource source{joystick, nullptr, clock, state};
    JoyReading reading;
    EXPECT_EQ(source.read(0, 0x83, reading), 0u);
    EXPECT_EQ(joystick.calls, 1);
}

}  // namespace
}  // namespace pwstd
