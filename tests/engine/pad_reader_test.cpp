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
        const HatDirection hat = HatDirections(c.pov);
        EXPECT_EQ(hat.x, c.x) << c.pov;
        EXPECT_EQ(hat.y, c.y) << c.pov;
    }
}

// The reader as the program builds it, on the shared state with its options.
class PadReaderTest : public ::testing::Test {
protected:
    PadReaderTest() { state.Kando = 16384; }
    // The ids read since the last call.
    std::vector<int32_t> TakeIds() {
        std::vector<int32_t> ids = source.ids;
        source.ids.clear();
        return ids;
    }

    FakePadSource source;
    FakeClock clock;
    SharedState state;
    PadReader reader{source, clock, state};
};

TEST_F(PadReaderTest, DecodesOneReadingAndUsesKandoOfTheMoment) {
    source.reading = {0, 65535, 0x5};
    PadSnapshot s = reader.ReadPad(0);
    EXPECT_EQ(s.DirX, -1);
    EXPECT_EQ(s.DirY, 1);
    EXPECT_EQ(s.ButtonMask, 0x5u);
    EXPECT_EQ(s.ReadError, 0);
    EXPECT_EQ(source.last_id, 0);
    state.Kando = 0;
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

TEST_F(PadReaderTest, WithPovStickTheHatFillsAnAxisTheStickLeavesCentred) {
    constexpr uint32_t kLow = 0, kCentre = 32768, kHigh = 65535;
    struct Row {
        int16_t pov_stick;
        uint32_t x, y, pov;
        int32_t dir_x, dir_y;
    };
    const std::vector<Row> rows = {
        {1, kCentre, kCentre, 22500, -1, 1},  // every hat value: HatDirections above
        {1, kLow, kCentre, 4500, -1, -1},    // the stick wins on X, the hat gives Y
        {1, kCentre, kHigh, 31500, -1, 1},   // the hat gives X, the stick wins on Y
        {1, kHigh, kLow, 22500, 1, -1},      // the stick wins on both
        {1, 16384, 49152, 27000, -1, 0},     // inside the centre by a hair: the hat's
        {0, kCentre, kCentre, 9000, 0, 0},   // without the option the hat is not asked for
        {0, kLow, kCentre, 18000, -1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("PovStick " + std::to_string(row.pov_stick) + ", hat " + std::to_string(row.pov));
        state.PovStick = row.pov_stick;
        source.reading = {row.x, row.y, 0x9, row.pov};
        const PadSnapshot s = reader.ReadPad(0);
        EXPECT_EQ(s.DirX, row.dir_x);
        EXPECT_EQ(s.DirY, row.dir_y);
        EXPECT_EQ(s.ButtonMask, 0x9u);
        EXPECT_EQ(reader.ReadPadX(0), row.dir_x);
        EXPECT_EQ(reader.ReadPadY(0), row.dir_y);
        EXPECT_EQ(reader.ReadPadButtons(0), 0x9u);
        EXPECT_EQ(source.last_flags, row.pov_stick == 1 ? 0xC3u : 0x83u);
    }
}

// A pad without a hat may report 0, which is up: the hat counts only where the pad says it has one.
TEST_F(PadReaderTest, TheHatCountsOnlyOnAPadThatSaysItHasOne) {
    state.PovStick = 1;
    source.reading = {32768, 32768, 0, 0};
    struct Row {
        const char* name;
        uint32_t caps_code;
        uint32_t caps;
        int32_t dir_y;
    };
    const std::vector<Row> rows = {
        {"a hat", 0, kJoyCapsHasPov, -1},
        {"no hat", 0, kJoyCapsHasZ | kJoyCapsHasR, 0},
        {"caps unknown", 165, kJoyCapsHasPov, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        source.joy_caps = {4, row.caps};
        source.caps_code = row.caps_code;
        reader.DeviceChanged();
        source.caps_ids.clear();
        EXPECT_EQ(reader.ReadPad(0).DirY, row.dir_y);
        EXPECT_EQ(reader.ReadPadY(0), row.dir_y);
        EXPECT_EQ(source.last_flags, 0xC3u) << "the hat is asked for all the same";
        EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{0})) << "once per pad found";
    }
    state.AllAxes = 1;
    reader.DeviceChanged();
    source.caps_ids.clear();
    reader.ReadPad(0);
    reader.ReadPad(0);
    EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{0})) << "one call serves the hat and the axes";
    state.AllAxes = 0;

    // The pad without a hat is unplugged and one with a hat plugged in: asked again when found,
    // even without a device change, and a failed caps call is not repeated at every reading.
    source.code = 167;
    clock.now = 5000;
    reader.ReadPad(0);
    source.code = 0;
    source.caps_code = 0;
    clock.now = 6000;
    EXPECT_EQ(reader.ReadPad(0).DirY, -1);
    EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{0, 0}));

    // Without the option the capabilities are never asked.
    state.PovStick = 0;
    reader.DeviceChanged();
    source.caps_ids.clear();
    reader.ReadPad(0);
    EXPECT_TRUE(source.caps_ids.empty());
    // AnyJoystick: the pad found is the one asked, again after each device change.
    state.PovStick = 1;
    state.AnyJoystick = 1;
    source.only_id = 2;
    source.joy_caps = {2, 0};
    EXPECT_EQ(reader.ReadPad(0).DirY, 0);
    reader.ReadPadY(0);
    reader.DeviceChanged();
    reader.ReadPad(0);
    EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{2, 2}));
}

// The rests come from the first good reading after the pad is found, a device change or a
// resume; the capabilities of the joystick read (the one AnyJoystick found) decide which axes exist.
TEST_F(PadReaderTest, AllAxesLearnsEachAxisRestAndSkipsAxesThePadLacks) {
    state.AllAxes = 1;
    state.AnyJoystick = 1;
    source.only_id = 2;
    source.joy_caps = {5, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU};
    auto pad = [this](uint32_t z, uint32_t r, uint32_t u, uint32_t v) {
        source.reading = {32768, 32768, 0, kJoyPovCentered, z, r, u, v};
        return reader.ReadPad(0).AxisMask;
    };
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0u) << "resting: trigger at 0, stick centred, trigger at 65535";
    EXPECT_EQ(source.last_flags, 0xBFu);
    EXPECT_EQ(source.caps_calls, 1);
    EXPECT_EQ(pad(65535, 0, 0, 65535), 0x2u | 0x4u | 0x10u) << "Z high, R low, U low; no V";
    EXPECT_EQ(pad(65535, 65535, 65535, 65535), 0x2u | 0x8u);
    EXPECT_EQ(source.caps_calls, 1) << "asked once, not at every reading";
    // Pulled while the pad is unplugged and found again: the first good reading is the rest.
    source.code = 167;
    pad(0, 0, 0, 0);
    source.code = 0;
    reader.DeviceChanged();
    EXPECT_EQ(pad(65535, 32768, 65535, 0), 0u) << "Z now rests at 65535";
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0x1u);
    reader.Resumed();
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0u) << "learned again after a resume: Z rests at 0";
    reader.DeviceChanged();
    source.caps_code = 165;
    EXPECT_EQ(pad(65535, 0, 0, 0), 0u) << "capabilities unreadable: no extra axis";
    state.AllAxes = 0;
    source.caps_code = 0;
    reader.DeviceChanged();
    EXPECT_EQ(pad(65535, 0, 0, 0), 0u);
    EXPECT_EQ(source.last_flags, 0x83u);
    EXPECT_EQ(source.caps_calls, 3) << "not asked again at a resume, nor without the option";
}

TEST_F(PadReaderTest, AnyJoystickKeepsTheLowestThatAnswersAndSearchesOnlyWhenItMust) {
    state.AnyJoystick = 1;
    source.reading = {0, 32768, 1};
    source.only_id = 3;
    EXPECT_EQ(reader.ReadPad(0).DirX, -1);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 1, 2, 3})) << "the search at the first reading";
    reader.ReadPad(0);
    EXPECT_EQ(reader.ReadPadX(0), -1);
    EXPECT_EQ(reader.ReadPadButtons(0), 1u);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{3, 3, 3})) << "kept, and the test panel reads the same pad";

    source.only_id = 1;  // 3 fails, 1 answers
    clock.now = 10;
    EXPECT_EQ(reader.ReadPad(0).ReadError, 0);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{3, 0, 1}));
    reader.ReadPadY(0);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{1}));

    // None answers: one search, then the pad is left alone for a second, as without the option.
    source.only_id = 99;
    clock.now = 100;
    EXPECT_EQ(reader.ReadPad(0).ReadError, 167);
    std::vector<int32_t> all = {1, 0};
    for (int32_t id = 2; id < 16; ++id) all.push_back(id);
    EXPECT_EQ(TakeIds(), all);
    for (uint32_t t = 105; t < 1100; t += 5) {
        clock.now = t;
        EXPECT_EQ(reader.ReadPad(0).ReadError, 167);
        EXPECT_EQ(reader.ReadPadX(0), 0);
    }
    EXPECT_TRUE(TakeIds().empty());
    clock.now = 1100;
    reader.ReadPad(0);
    EXPECT_EQ(TakeIds().size(), 16u) << "the search once a second";

    // A pad plugged in: the device change starts the search at once.
    source.only_id = 2;
    reader.DeviceChanged();
    clock.now = 1110;
    EXPECT_EQ(reader.ReadPad(0).DirX, -1);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 1, 2}));
    // Another device change searches again from joystick 0, though the pad found still answers.
    source.only_id = -1;
    reader.DeviceChanged();
    reader.ReadPad(0);
    reader.ReadPad(0);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 0}));
}

TEST_F(PadReaderTest, ASearchAsksTheIdsTheServiceHasAndNeverMoreThanSixteen) {
    state.AnyJoystick = 1;
    source.only_id = 99;
    const struct {
        uint32_t devices;
        size_t asked;
    } rows[] = {{0, 1}, {1, 1}, {2, 2}, {16, 16}, {1000, 16}};
    for (const auto& row : rows) {
        source.devices = row.devices;
        reader.DeviceChanged();
        EXPECT_EQ(reader.ReadPad(0).ReadError, 167);
        EXPECT_EQ(TakeIds().size(), row.asked) << row.devices << " joysticks";
    }
}

TEST_F(PadReaderTest, WithoutAnyJoystickOnlyJoystickZeroIsRead) {
    source.only_id = 3;
    EXPECT_EQ(reader.ReadPad(0).ReadError, 167);
    clock.now = 1000;
    EXPECT_EQ(reader.ReadPad(0).ReadError, 167);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 0}));
}

}  // namespace
}  // namespace pwstd
