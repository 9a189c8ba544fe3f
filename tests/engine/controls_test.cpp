#include <gtest/gtest.h>

#include <vector>

#include "engine/bindings/controls.h"
#include "engine/input/joystick_service.h"
#include "engine/input/pads.h"

namespace pwstd {
namespace {

TEST(AxisDirection, EndZonesAreMeasuredFromBothEnds) {
    struct Case {
        int32_t kando;
        uint32_t position;
        int32_t expected;
    };
    const std::vector<Case> cases = {
        {16384, 16383, -1}, {16384, 16384, 0}, {16384, 49152, 0}, {16384, 49153, 1},
        {32767, 32766, -1}, {32767, 32767, 0}, {32767, 32769, 0}, {32767, 32770, 1},
        {0, 0, 0},          {0, 65535, 0},     {1, 0, -1},        {1, 65535, 0},
        {16384, 0, -1},     {16384, 65535, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AxisDirection(c.position, c.kando), c.expected) << "Kando " << c.kando << " at " << c.position;
    }
}

TEST(ButtonBit, ReadsTheMaskUnsigned) {
    const uint32_t mask = 0x80000001u | (1u << 29);
    EXPECT_EQ(ButtonBit(1, mask), 1);
    EXPECT_EQ(ButtonBit(2, mask), 0);
    EXPECT_EQ(ButtonBit(30, mask), 1);
    EXPECT_EQ(ButtonBit(32, mask), 1);
    EXPECT_EQ(ButtonBit(0, mask), 0);
}

TEST(HatDirections, EveryAngleGoesToTheNearestOfEightAndNothingElseToAny) {
    struct Case {
        uint32_t pov;
        int32_t x, y;
    };
    const std::vector<Case> cases = {
        {0, 0, -1},     {4500, 1, -1},  {9000, 1, 0},    {13500, 1, 1},  {18000, 0, 1},
        {22500, -1, 1}, {27000, -1, 0}, {31500, -1, -1}, {65535, 0, 0},  {36000, 0, 0},
        {2249, 0, -1},  {2250, 1, -1},  {6749, 1, -1},   {6750, 1, 0},   {4499, 1, -1},
        {9001, 1, 0},   {1, 0, -1},     {33749, -1, -1}, {33750, 0, -1}, {35999, 0, -1},
        {65534, 0, 0},  {0xFFFFFFFFu, 0, 0},
    };
    for (const Case& c : cases) {
        const HatDirection hat = HatDirections(static_cast<int32_t>(c.pov));
        EXPECT_EQ(hat.x, c.x) << c.pov;
        EXPECT_EQ(hat.y, c.y) << c.pov;
    }
}

TEST(AxisHeld, EachRestGivesItsEnds) {
    struct Case {
        uint32_t first;     // the reading the rest is learned from
        uint32_t position;  // a later reading
        int32_t kando;
        uint32_t held;  // bit 0 low end, bit 1 high end
    };
    const std::vector<Case> cases = {
        // Resting at the centre: the X and Y rule, Kando included.
        {16384, 16383, 16384, 1}, {49151, 49153, 16384, 2}, {32768, 49152, 16384, 0},
        {32768, 32766, 32767, 1}, {32768, 0, 0, 0},
        // Resting at 0 (a trigger): only the high end, past the middle.
        {0, 0, 16384, 0}, {16383, 32767, 16384, 0}, {0, 32768, 16384, 2}, {0, 65535, 0, 2},
        {0, 10, 16384, 0},
        // Resting at 65535: only the low end.
        {65535, 65535, 16384, 0}, {49152, 32768, 16384, 0}, {65535, 32767, 16384, 1},
        {65535, 0, 32767, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AxisHeld(RestOf(c.first), c.position, c.kando), c.held)
            << "rest learned at " << c.first << ", read " << c.position << ", Kando " << c.kando;
    }
    EXPECT_EQ(AxisHeld(AxisRest::Absent, 0, 16384), 0u);
    EXPECT_EQ(AxisHeld(AxisRest::Unknown, 65535, 16384), 0u);

}

// The joystick service's records in the engine's shape: the flags a query asks with, and what its
// capabilities say.
TEST(JoystickService, FlagsAndCapabilities) {
    struct FlagRow {
        PadQuery query;
        uint32_t flags;
    };
    const std::vector<FlagRow> flags = {
        {{false, false, false}, 0x83},  {{true, false, false}, 0xC3}, {{false, false, true}, 0xBF},
        {{true, false, true}, 0xFF},    {{true, true, false}, 0x2C3}, {{true, true, true}, 0x2FF},
    };
    for (const FlagRow& row : flags) {
        EXPECT_EQ(JoyServiceFlags(row.query), row.flags) << row.query.hat << row.query.hat_fine << row.query.extra_axes;
    }
    const uint32_t xy = AxisBit(kAxisX) | AxisBit(kAxisY);
    struct CapsRow {
        uint32_t axes, wcaps;
        PadCaps caps;
    };
    const std::vector<CapsRow> caps = {
        {6, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasPov,
         {xy | AxisBit(kAxisZ) | AxisBit(kAxisR) | AxisBit(kAxisU), true, false}},
        {2, kJoyCapsHasZ, {xy, false, false}},  // a bit without room in the axis count
        {4, kJoyCapsHasV | kJoyCapsHasPov | kJoyCapsPovCts, {xy | AxisBit(kAxisV), true, true}},
        {2, kJoyCapsPovCts, {xy, false, false}},  // fine angles of a hat it does not have
    };
    for (const CapsRow& row : caps) EXPECT_EQ(JoyServiceCaps(row.axes, row.wcaps), row.caps) << row.wcaps;
    // A hat outside the promised range is centred; one not asked for is too.
    const PadQuery hat{true, false, false};
    EXPECT_EQ(JoyServiceState({0, 0, 0, 0, 0, 0, 0, 36000}, hat).hat, kHatCentred);
    EXPECT_EQ(JoyServiceState({0, 0, 0, 0, 0, 0, 0, 4500}, hat).hat, 4500);
    EXPECT_EQ(JoyServiceState({0, 0, 0, 0, 0, 0, 0, 4500}, PadQuery{}).hat, kHatCentred);
}

}  // namespace
}  // namespace pwstd
