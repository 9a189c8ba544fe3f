#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/input/pads.h"
#include "engine/input/xinput_pad.h"
#include "tests/support/fakes.h"

namespace pwstd {
namespace {

using testing::Decode;
using testing::FakeClock;
using testing::FakePadSource;
using testing::Snapshot;

TEST(XInputState, LaysOutThePadAsTheJoystickServiceDoes) {
    struct Row {
        const char* what;
        XInputPad pad;
        uint32_t x, y, buttons;
        int32_t hat;
        uint32_t u, r;
    };
    constexpr int32_t C = kHatCentred;
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
        const PadState s = XInputState(row.pad);
        EXPECT_EQ((std::vector<int64_t>{s.axis[kAxisX], s.axis[kAxisY], s.buttons, s.hat, s.axis[kAxisU],
                                        s.axis[kAxisR]}),
                  (std::vector<int64_t>{row.x, row.y, row.buttons, row.hat, row.u, row.r}))
            << row.what;
    }
}

// A scripted set of four XInput users.
class FakeXInput final : public PadBackend {
public:
    int connected = -1;  // the user with a pad, -1 for none
    XInputPad pad;
    std::vector<int32_t> asked;
    int32_t count() override { return 4; }
    uint32_t read(int32_t user, const PadQuery&, PadState& out) override {
        asked.push_back(user);
        if (user != connected) return 1167;
        out = XInputState(pad);
        return 0;
    }
    uint32_t caps(int32_t, PadCaps& out) override {
        out = XInputCaps();
        return 0;
    }
};

class XInputPadsTest : public ::testing::Test {
protected:
    XInputPadsTest() {
        joystick.reading = {65535, 32768, 0x80, kJoyPovCentered, 32768};
        joystick.joy_caps = {3, kJoyCapsHasZ};
    }
    Snapshot Read() { return Decode(pads->Read(0), 16384, false); }

    FakePadSource joystick;
    FakeXInput xinput;
    FakeClock clock;
    std::unique_ptr<Pads> pads = std::make_unique<Pads>(joystick, &xinput, clock, InputOptions{false, true, false});
};

TEST_F(XInputPadsTest, SearchesAtStartDeviceChangeAndEveryThreeSecondsAndFallsBackToTheJoystick) {
    EXPECT_EQ(Read().DirX, 1) << "no XInput pad: the joystick service";
    EXPECT_EQ(xinput.asked, (std::vector<int32_t>{0, 1, 2, 3}));
    xinput.connected = 2;
    xinput.pad = {kXInputB, 0, 255, -32768, 0, 0, 0};
    clock.now = 2999;
    EXPECT_EQ(Read().DirX, 1) << "not searched again within three seconds";
    EXPECT_EQ(xinput.asked.size(), 4u);
    pads->DeviceChanged();
    Snapshot s = Read();
    EXPECT_EQ(s.DirX, -1) << "searched at once after a device change";
    EXPECT_EQ(s.ButtonMask, 0x802u) << "B and the right trigger";
    EXPECT_EQ(s.AxisMask, 0u) << "the right stick rests centred; no Z";
    xinput.pad.ry = 32767;
    EXPECT_EQ(Read().AxisMask, 0x4u) << "R low: the right stick up";
    xinput.asked.clear();
    Read();
    EXPECT_EQ(xinput.asked, std::vector<int32_t>{2}) << "a connected pad costs one call";
    const int joystick_calls = joystick.calls;
    xinput.connected = -1;
    clock.now = 3500;
    EXPECT_EQ(Read().ReadError, 167) << "a pad that disconnects is a failed reading";
    clock.now = 4500;  // past the back-off
    EXPECT_EQ(Read().DirX, 1) << "then the joystick service";
    EXPECT_EQ(joystick.calls, joystick_calls + 1);
    xinput.asked.clear();
    clock.now = 6499;
    Read();
    EXPECT_TRUE(xinput.asked.empty()) << "three seconds after the disconnect, not before";
    clock.now = 6500;
    Read();
    EXPECT_EQ(xinput.asked.size(), 4u);
}

TEST_F(XInputPadsTest, WithoutTheBackendOnlyTheJoystickServiceIsRead) {
    Pads joystick_only(joystick, nullptr, clock, InputOptions{});
    xinput.connected = 0;
    EXPECT_EQ(Decode(joystick_only.Read(0), 16384, false).DirX, 1);
    EXPECT_EQ(joystick.calls, 1);
    EXPECT_TRUE(xinput.asked.empty());
}

// The joystick service answers before XInput (at start-up, and at a wireless pad's reconnect): when
// XInput takes over, the pad is a new one, with XInput's capabilities and rests. Z, which the
// joystick service's pad has and XInput's lacks, must not read as held.
TEST_F(XInputPadsTest, AChangeOfSourceIsANewPad) {
    xinput.pad = {};
    PadReading first = pads->Read(0);
    EXPECT_EQ(Decode(first, 16384, false).AxisMask, 0u) << "the joystick service's Z rests centred";
    xinput.connected = 0;
    clock.now = 3000;
    const PadReading second = pads->Read(0);
    EXPECT_EQ(Decode(second, 16384, false).AxisMask, 0u) << "XInput's pad has no Z";
    EXPECT_NE(second.generation, first.generation);
    EXPECT_EQ(pads->Read(0).generation, second.generation) << "the same pad afterwards";
}

}  // namespace
}  // namespace pwstd
