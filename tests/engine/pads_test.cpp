#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <memory>

#include "engine/input/pads.h"
#include "tests/support/fakes.h"

namespace pwstd {
namespace {

using testing::Decode;
using testing::FakeClock;
using testing::FakePadSource;
using testing::Snapshot;

// The pads as the program builds them from its options, read and decoded as the poll and the test
// panel read them.
class PadReaderTest : public ::testing::Test {
protected:
    // Made anew with other options, as the program is: what the old one remembered is gone.
    void Build(bool hat, bool extra_axes, bool any_joystick) {
        options = {hat, extra_axes, any_joystick};
        pads = std::make_unique<Pads>(source, nullptr, clock, options);
    }
    Snapshot ReadPad() { return Decode(pads->Read(0), kando, options.hat); }
    int32_t ReadPadX() { return ReadPad().DirX; }
    int32_t ReadPadY() { return ReadPad().DirY; }
    uint32_t ReadPadButtons() { return ReadPad().ButtonMask; }
    // The ids read since the last call.
    std::vector<int32_t> TakeIds() {
        std::vector<int32_t> ids = source.ids;
        source.ids.clear();
        return ids;
    }

    FakePadSource source;
    FakeClock clock;
    int32_t kando = 16384;
    InputOptions options;
    std::unique_ptr<Pads> pads = std::make_unique<Pads>(source, nullptr, clock, options);
};

TEST_F(PadReaderTest, DecodesOneReadingAndUsesKandoOfTheMoment) {
    source.reading = {0, 65535, 0x5};
    Snapshot s = ReadPad();
    EXPECT_EQ(s.DirX, -1);
    EXPECT_EQ(s.DirY, 1);
    EXPECT_EQ(s.ButtonMask, 0x5u);
    EXPECT_EQ(s.ReadError, 0);
    EXPECT_EQ(source.last_id, 0);
    kando = 0;
    EXPECT_EQ(ReadPadX(), 0);
    EXPECT_EQ(ReadPadY(), 0);
    EXPECT_EQ(ReadPadButtons(), 0x5u);
    EXPECT_EQ(source.calls, 4) << "every reader makes its own call";
}

TEST_F(PadReaderTest, UnpluggedGivesACentredButtonlessReadingWithTheCode) {
    source.reading = {0, 0, 0xFF};
    source.code = 167;
    Snapshot s = ReadPad();
    EXPECT_EQ(s.DirX, 0);
    EXPECT_EQ(s.DirY, 0);
    EXPECT_EQ(s.ButtonMask, 0u);
    EXPECT_EQ(s.ReadError, 167);
    EXPECT_EQ(ReadPadX(), 0);
    EXPECT_EQ(ReadPadY(), 0);
    EXPECT_EQ(ReadPadButtons(), 0u);
}

TEST_F(PadReaderTest, AFailingSourceIsAskedOnceASecond) {
    source.code = 167;
    for (uint32_t t = 0; t < 5000; t += 5) {
        clock.now = t;
        EXPECT_EQ(ReadPad().ReadError, 167);
        ReadPadX();
        ReadPadButtons();
    }
    EXPECT_EQ(source.calls, 5) << "one real call at 0, 1000, 2000, 3000 and 4000 ms";
}

TEST_F(PadReaderTest, ADeviceChangeEndsTheBackOffAtOnce) {
    source.code = 167;
    ReadPad();
    source.code = 0;
    source.reading = {65535, 32768, 2};
    clock.now = 100;
    EXPECT_EQ(ReadPad().ReadError, 167) << "still left alone";
    pads->DeviceChanged();
    clock.now = 110;
    Snapshot s = ReadPad();
    EXPECT_EQ(s.ReadError, 0);
    EXPECT_EQ(s.DirX, 1);
    EXPECT_EQ(s.ButtonMask, 2u);
    EXPECT_EQ(source.calls, 2);
}

TEST_F(PadReaderTest, OnlyADeviceChangeDuringOrAfterAFailureCutsItsBackOffShort) {
    pads->DeviceChanged();  // while the joystick is fine: nothing to cut short later
    source.code = 167;
    ReadPad();
    clock.now = 10;
    ReadPad();
    EXPECT_EQ(source.calls, 1) << "an old device change does not undo the next back-off";
    // A device arriving while the failing call is under way still gets its own call.
    clock.now = 1000;
    source.before_read = [this] { pads->DeviceChanged(); };
    ReadPad();
    source.before_read = nullptr;
    clock.now = 1001;
    ReadPad();
    EXPECT_EQ(source.calls, 3);
    clock.now = 1002;
    ReadPad();
    EXPECT_EQ(source.calls, 3);
}

TEST_F(PadReaderTest, TheFirstFailureAfterAGoodReadingIsARealCall) {
    ReadPad();
    source.code = 165;
    EXPECT_EQ(ReadPad().ReadError, 165);
    EXPECT_EQ(source.calls, 2);
}

TEST_F(PadReaderTest, ASourceThatThrowsBecomesAFailedReading) {
    source.before_read = [] { throw std::runtime_error("no joystick service"); };
    EXPECT_EQ(ReadPad().ReadError, Pads::kReaderFailure);
    clock.now = 2000;
    EXPECT_EQ(ReadPadButtons(), 0u);
}

TEST_F(PadReaderTest, WithPovStickTheHatFillsAnAxisTheStickLeavesCentred) {
    constexpr uint32_t kLow = 0, kCentre = 32768, kHigh = 65535;
    struct Row {
        bool pov_stick;
        uint32_t x, y, pov;
        int32_t dir_x, dir_y;
    };
    const std::vector<Row> rows = {
        {true, kCentre, kCentre, 22500, -1, 1},  // every hat value: HatDirections above
        {true, kLow, kCentre, 4500, -1, -1},     // the stick wins on X, the hat gives Y
        {true, kCentre, kHigh, 31500, -1, 1},    // the hat gives X, the stick wins on Y
        {true, kHigh, kLow, 22500, 1, -1},       // the stick wins on both
        {true, 16384, 49152, 27000, -1, 0},      // inside the centre by a hair: the hat's
        {false, kCentre, kCentre, 9000, 0, 0},   // without the option the hat is not asked for
        {false, kLow, kCentre, 18000, -1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("PovStick " + std::to_string(row.pov_stick) + ", hat " + std::to_string(row.pov));
        Build(row.pov_stick, false, false);
        source.reading = {row.x, row.y, 0x9, row.pov};
        const Snapshot s = ReadPad();
        EXPECT_EQ(s.DirX, row.dir_x);
        EXPECT_EQ(s.DirY, row.dir_y);
        EXPECT_EQ(s.ButtonMask, 0x9u);
        EXPECT_EQ(ReadPadX(), row.dir_x);
        EXPECT_EQ(ReadPadY(), row.dir_y);
        EXPECT_EQ(ReadPadButtons(), 0x9u);
        EXPECT_EQ(source.last_flags, row.pov_stick ? 0xC3u : 0x83u);
    }
}

// A pad without a hat may report 0, which is up: the hat counts only where the pad says it has one.
// Windows promises a hat's diagonals only to a reading that asks the fine angle, of a pad that can
// give it.
TEST_F(PadReaderTest, TheHatCountsOnlyOnAPadThatSaysItHasOne) {
    Build(true, false, false);
    source.reading = {32768, 32768, 0, 0};
    struct Row {
        const char* name;
        uint32_t caps_code;
        uint32_t caps;
        int32_t dir_y;
        uint32_t flags;  // of the readings after the first
    };
    const std::vector<Row> rows = {
        {"a hat", 0, kJoyCapsHasPov, -1, 0xC3},
        {"no hat", 0, kJoyCapsHasZ | kJoyCapsHasR, 0, 0xC3},
        {"caps unknown", 165, kJoyCapsHasPov, 0, 0xC3},
        {"a hat with fine angles", 0, kJoyCapsHasPov | kJoyCapsPovCts, -1, 0x2C3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        source.joy_caps = {4, row.caps};
        source.caps_code = row.caps_code;
        pads->DeviceChanged();
        source.caps_ids.clear();
        EXPECT_EQ(ReadPad().DirY, row.dir_y);
        EXPECT_EQ(source.last_flags, 0xC3u) << "the hat is asked for all the same";
        EXPECT_EQ(ReadPadY(), row.dir_y);
        EXPECT_EQ(source.last_flags, row.flags);
        EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{0})) << "once per pad found";
    }
    source.reading.Pov = 13500;
    EXPECT_EQ(ReadPad().DirX, 1) << "a diagonal at the fine angle";
    EXPECT_EQ(ReadPad().DirY, 1);
    source.reading.Pov = 0;

    Build(true, true, false);
    source.caps_ids.clear();
    ReadPad();
    ReadPad();
    EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{0})) << "one call serves the hat and the axes";

    // The pad without a hat is unplugged and one with a hat plugged in: asked again when found,
    // even without a device change, and a failed caps call is not repeated at every reading.
    Build(true, false, false);
    source.joy_caps = {4, kJoyCapsHasZ};
    ReadPad();
    source.joy_caps = {4, kJoyCapsHasPov};
    source.caps_ids.clear();
    source.code = 167;
    clock.now = 5000;
    ReadPad();
    source.code = 0;
    clock.now = 6000;
    EXPECT_EQ(ReadPad().DirY, -1);
    EXPECT_EQ(ReadPad().DirY, -1);
    EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{0}));

    // Without the option the capabilities are never asked.
    Build(false, false, false);
    pads->DeviceChanged();
    source.caps_ids.clear();
    ReadPad();
    EXPECT_TRUE(source.caps_ids.empty());
    // AnyJoystick: the pad found is the one asked, again after each device change.
    Build(true, false, true);
    source.only_id = 2;
    source.joy_caps = {2, 0};
    EXPECT_EQ(ReadPad().DirY, 0);
    ReadPadY();
    pads->DeviceChanged();
    ReadPad();
    EXPECT_EQ(source.caps_ids, (std::vector<int32_t>{2, 2}));
}

// The rests come from the first good reading of a pad found: at start, after it was away (two
// failed calls in a row), from another joystick id, and after a resume; not at a device change or a
// single failed reading while the pad is there, when a trigger may well be held. The capabilities of
// the joystick read (the one AnyJoystick found) decide which axes exist.
TEST_F(PadReaderTest, AllAxesLearnsEachAxisRestWhenThePadIsFoundAndSkipsAxesItLacks) {
    Build(false, true, true);
    source.only_id = 2;
    source.joy_caps = {5, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU};
    auto pad = [this](uint32_t z, uint32_t r, uint32_t u, uint32_t v) {
        source.reading = {32768, 32768, 0, kJoyPovCentered, z, r, u, v};
        return ReadPad().AxisMask;
    };
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0u) << "resting: trigger at 0, stick centred, trigger at 65535";
    EXPECT_EQ(source.last_flags, 0xBFu);
    EXPECT_EQ(source.caps_calls, 1);
    EXPECT_EQ(pad(65535, 0, 0, 65535), 0x2u | 0x4u | 0x10u) << "Z high, R low, U low; no V";
    EXPECT_EQ(pad(65535, 65535, 65535, 65535), 0x2u | 0x8u);
    EXPECT_EQ(source.caps_calls, 1) << "asked once, not at every reading";

    // A trigger held through a device broadcast (another device came) or one failed reading: the
    // rests stay, so letting it go holds nothing.
    EXPECT_EQ(pad(65535, 32768, 65535, 0), 0x2u);
    pads->DeviceChanged();
    EXPECT_EQ(pad(65535, 32768, 65535, 0), 0x2u) << "still held after the broadcast";
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0u) << "let go: nothing held";
    source.code = 167;
    clock.now = 1000;
    pad(65535, 32768, 65535, 0);
    source.code = 0;
    clock.now = 2000;
    EXPECT_EQ(pad(65535, 32768, 65535, 0), 0x2u) << "one failed reading keeps the rests";
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0u);

    // Pulled while the pad is away and found again: the first good reading is the rest.
    source.code = 167;
    clock.now = 3000;
    pad(0, 0, 0, 0);
    pads->DeviceChanged();
    pad(0, 0, 0, 0);
    source.code = 0;
    clock.now = 4000;
    EXPECT_EQ(pad(65535, 32768, 65535, 0), 0u) << "away for two calls: Z now rests at 65535";
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0x1u);
    pads->Resumed();
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0u) << "learned again after a resume: Z rests at 0";
    source.only_id = 3;  // another joystick answers
    clock.now = 5000;
    EXPECT_EQ(pad(65535, 32768, 65535, 0), 0u) << "another joystick id is another pad: learned again";
    EXPECT_EQ(pad(0, 32768, 65535, 0), 0x1u);
    pads->DeviceChanged();
    source.caps_code = 165;
    EXPECT_EQ(pad(0, 0, 0, 0), 0u) << "capabilities unreadable: no extra axis";
    Build(false, false, false);
    source.only_id = -1;
    source.caps_code = 0;
    EXPECT_EQ(pad(65535, 0, 0, 0), 0u);
    EXPECT_EQ(source.last_flags, 0x83u);
    EXPECT_EQ(source.caps_calls, 6) << "not asked again at a resume, nor without the option";
}

TEST_F(PadReaderTest, AnyJoystickKeepsTheLowestThatAnswersAndSearchesOnlyWhenItMust) {
    Build(false, false, true);
    source.reading = {0, 32768, 1};
    source.only_id = 3;
    EXPECT_EQ(ReadPad().DirX, -1);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 1, 2, 3})) << "the search at the first reading";
    ReadPad();
    EXPECT_EQ(ReadPadX(), -1);
    EXPECT_EQ(ReadPadButtons(), 1u);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{3, 3, 3})) << "kept, and the test panel reads the same pad";

    source.only_id = 1;  // 3 fails, 1 answers
    clock.now = 10;
    EXPECT_EQ(ReadPad().ReadError, 0);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{3, 0, 1}));
    ReadPadY();
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{1}));

    // None answers: one search, then the pad is left alone for a second, as without the option.
    source.only_id = 99;
    clock.now = 100;
    EXPECT_EQ(ReadPad().ReadError, 167);
    std::vector<int32_t> all = {1, 0};
    for (int32_t id = 2; id < 16; ++id) all.push_back(id);
    EXPECT_EQ(TakeIds(), all);
    for (uint32_t t = 105; t < 1100; t += 5) {
        clock.now = t;
        EXPECT_EQ(ReadPad().ReadError, 167);
        EXPECT_EQ(ReadPadX(), 0);
    }
    EXPECT_TRUE(TakeIds().empty());
    clock.now = 1100;
    ReadPad();
    EXPECT_EQ(TakeIds().size(), 16u) << "the search once a second";

    // A pad plugged in: the device change starts the search at once.
    source.only_id = 2;
    pads->DeviceChanged();
    clock.now = 1110;
    EXPECT_EQ(ReadPad().DirX, -1);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 1, 2}));
    // Another device change searches again from joystick 0, though the pad found still answers.
    source.only_id = -1;
    pads->DeviceChanged();
    ReadPad();
    ReadPad();
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 0}));
}

TEST_F(PadReaderTest, ASearchAsksTheIdsTheServiceHasAndNeverMoreThanSixteen) {
    Build(false, false, true);
    source.only_id = 99;
    const struct {
        uint32_t devices;
        size_t asked;
    } rows[] = {{0, 1}, {1, 1}, {2, 2}, {16, 16}, {1000, 16}};
    for (const auto& row : rows) {
        source.devices = row.devices;
        pads->DeviceChanged();
        EXPECT_EQ(ReadPad().ReadError, 167);
        EXPECT_EQ(TakeIds().size(), row.asked) << row.devices << " joysticks";
    }
}

TEST_F(PadReaderTest, WithoutAnyJoystickOnlyJoystickZeroIsRead) {
    source.only_id = 3;
    EXPECT_EQ(ReadPad().ReadError, 167);
    clock.now = 1000;
    EXPECT_EQ(ReadPad().ReadError, 167);
    EXPECT_EQ(TakeIds(), (std::vector<int32_t>{0, 0}));
}

}  // namespace
}  // namespace pwstd
