#include <gtest/gtest.h>

#include <vector>

#include "engine/pad_reader.h"
#include "tests/support/fakes.h"

namespace pwstd {
namespace {

using testing::FakeClock;
using testing::FakePadSource;

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

class PadReaderTest : public ::testing::Test {
protected:
    FakePadSource source;
    FakeClock clock;
    Relaxed<int32_t> kando{16384};
    PadReader reader{source, clock, kando};
};

TEST_F(PadReaderTest, DecodesOneReadingAndUsesKandoOfTheMoment) {
    source.reading = {0, 65535, 0x5};
    PadSnapshot s = reader.ReadPad(0);
    EXPECT_EQ(s.DirX, -1);
    EXPECT_EQ(s.DirY, 1);
    EXPECT_EQ(s.ButtonMask, 0x5u);
    EXPECT_EQ(s.ReadError, 0);
    EXPECT_EQ(source.last_id, 0);
    kando = 0;
    EXPECT_EQ(reader.ReadPadX(0), 0);
    EXPECT_EQ(reader.ReadPadY(0), 0);
    EXPECT_EQ(reader.ReadPadButtons(0), 0x5u);
    EXPECT_EQ(source.calls, 4) << "every reader makes its own call";
}

TEST_F(PadReaderTest, UnpluggedGivesACentredButtonlessReadingWithTheCode) {
    source.reading = {0, 0, 0xFF};
    source.code = 167;
    PadSnapshot s = reader.ReadPad(0);
    EXPECT_EQ(s.DirX, 0);
    EXPECT_EQ(s.DirY, 0);
    EXPECT_EQ(s.ButtonMask, 0u);
    EXPECT_EQ(s.ReadError, 167);
    EXPECT_EQ(reader.ReadPadX(0), 0);
    EXPECT_EQ(reader.ReadPadY(0), 0);
    EXPECT_EQ(reader.ReadPadButtons(0), 0u);
}

TEST_F(PadReaderTest, AFailingSourceIsAskedOnceASecond) {
    source.code = 167;
    for (uint32_t t = 0; t < 5000; t += 5) {
        clock.now = t;
        EXPECT_EQ(reader.ReadPad(0).ReadError, 167);
        reader.ReadPadX(0);
        reader.ReadPadButtons(0);
    }
    EXPECT_EQ(source.calls, 5) << "one real call at 0, 1000, 2000, 3000 and 4000 ms";
}

TEST_F(PadReaderTest, ADeviceChangeEndsTheBackOffAtOnce) {
    source.code = 167;
    reader.ReadPad(0);
    source.code = 0;
    source.reading = {65535, 32768, 2};
    clock.now = 100;
    EXPECT_EQ(reader.ReadPad(0).ReadError, 167) << "still left alone";
    reader.DeviceChanged();
    clock.now = 110;
    PadSnapshot s = reader.ReadPad(0);
    EXPECT_EQ(s.ReadError, 0);
    EXPECT_EQ(s.DirX, 1);
    EXPECT_EQ(s.ButtonMask, 2u);
    EXPECT_EQ(source.calls, 2);
}

TEST_F(PadReaderTest, OnlyADeviceChangeDuringOrAfterAFailureCutsItsBackOffShort) {
    reader.DeviceChanged();  // while the joystick is fine: nothing to cut short later
    source.code = 167;
    reader.ReadPad(0);
    clock.now = 10;
    reader.ReadPad(0);
    EXPECT_EQ(source.calls, 1) << "an old device change does not undo the next back-off";
    // A device arriving while the failing call is under way still gets its own call.
    clock.now = 1000;
    source.before_read = [this] { reader.DeviceChanged(); };
    reader.ReadPad(0);
    source.before_read = nullptr;
    clock.now = 1001;
    reader.ReadPad(0);
    EXPECT_EQ(source.calls, 3);
    clock.now = 1002;
    reader.ReadPad(0);
    EXPECT_EQ(source.calls, 3);
}

TEST_F(PadReaderTest, TheFirstFailureAfterAGoodReadingIsARealCall) {
    reader.ReadPad(0);
    source.code = 165;
    EXPECT_EQ(reader.ReadPad(0).ReadError, 165);
    EXPECT_EQ(source.calls, 2);
}

TEST_F(PadReaderTest, ASourceThatThrowsBecomesAFailedReading) {
    source.before_read = [] { throw std::runtime_error("no joystick service"); };
    EXPECT_EQ(reader.ReadPad(0).ReadError, PadReader::kReaderFailure);
    clock.now = 2000;
    EXPECT_EQ(reader.ReadPadButtons(0), 0u);
}

}  // namespace
}  // namespace pwstd
