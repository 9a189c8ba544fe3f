#include <gtest/gtest.h>

#include <vector>

#include "engine/axis_controls.h"

namespace pwstd {
namespace {

TEST(AxisControls, RestHeldAndCapabilities) {
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

    const JoyCaps pad{6, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasPov};
    EXPECT_TRUE(HasAxis(pad, 0));
    EXPECT_TRUE(HasAxis(pad, 1));
    EXPECT_TRUE(HasAxis(pad, 2));
    EXPECT_FALSE(HasAxis(pad, 3)) << "no V bit";
    EXPECT_FALSE(HasAxis({2, kJoyCapsHasZ}, 0)) << "a bit without room in the axis count";
}

}  // namespace
}  // namespace pwstd
