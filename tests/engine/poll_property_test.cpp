// Random polls against the key rules: in every repeat mode, with the stick and buttons moving,
// buttons added and the key map changed on the way, every key event follows from the change the
// poll saw, and once the pad is back at rest every key that went down has come up. Seeded, so a
// failure repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/poll_cycle.h"
#include "tests/support/fakes.h"
#include "tests/support/running_state.h"

namespace pwstd {
namespace {

using namespace pwstd::testing;

constexpr int kControls = 4 + kMaxButtons;  // left, right, up, down, buttons 1..30
constexpr int kPolls = 100000;

struct Event {
    int control;  // -1: a key no control is mapped to
    bool up;
};

// Tells each key event's control from the key map in force: the map's codes are all different.
class ControlSink final : public KeySink {
public:
    std::array<int, 256> control_of{};
    std::vector<Event> events;
    void send(uint8_t vk, bool up) override { events.push_back({control_of[vk], up}); }
};

class PollProperty {
public:
    PollProperty(int16_t repeat, int16_t keyup, uint32_t seed) : random_(seed) {
        RunningState(state_, 1 + static_cast<int32_t>(random_() % 8), repeat, keyup);
        NewKeyMap();
    }

    // One poll with the pad moved at random. Returns what broke the rules, or "".
    std::string Poll(bool pause_allowed, bool lower_allowed) {
        if (random_() % 50 == 0) NewKeyMap();
        if (random_() % 400 == 0) {
            state_.Buttons = std::min<int32_t>(kMaxButtons, state_.Buttons + 1 + static_cast<int32_t>(random_() % 5));
        }
        if (lower_allowed && random_() % 400 == 0) state_.Buttons = 1 + static_cast<int32_t>(random_() % state_.Buttons);
        if (pause_allowed && random_() % 300 == 0) state_.PadActive = state_.PadActive == True ? False : True;
        if (random_() % 4 == 0) x_ = static_cast<int>(random_() % 3) - 1;
        if (random_() % 4 == 0) y_ = static_cast<int>(random_() % 3) - 1;
        for (int bit = 0; bit < 32; ++bit) {
            if (random_() % 6 == 0) mask_ ^= 1u << bit;
        }
        return Check();
    }

    // Centre, no buttons, then one poll, with the pad running and every button examined.
    std::string Rest(bool examine_all) {
        state_.PadActive = True;
        if (examine_all) state_.Buttons = kMaxButtons;
        x_ = y_ = 0;
        mask_ = 0;
        return Check();
    }

    bool Down(int c) const { return down_[c]; }
    int64_t Presses(int c) const { return presses_[c]; }
    int64_t Releases(int c) const { return releases_[c]; }
    int32_t Buttons() const { return state_.Buttons; }

private:
    void NewKeyMap() {
        std::array<int, 255> codes;
        std::iota(codes.begin(), codes.end(), 1);
        std::shuffle(codes.begin(), codes.end(), random_);
        keys_.control_of.fill(-1);
        const int dir_key[4] = {kLeft, kRight, kUp, kDown};
        for (int c = 0; c < kControls; ++c) {
            keys_.control_of[codes[c]] = c;
            if (c < 4) {
                state_.DirKeys[dir_key[c]] = codes[c];
            } else {
                state_.ButtonKeys[c - 3] = codes[c];
            }
        }
    }

    static uint32_t Position(int dir, uint32_t r) {
        // Anywhere inside the zone of the direction, for Kando 16384, ends included.
        if (dir < 0) return r % 16384;
        if (dir > 0) return 49153 + r % 16383;
        return 16384 + r % 32769;
    }

    std::string Check() {
        source_.reading = {Position(x_, static_cast<uint32_t>(random_())), Position(y_, static_cast<uint32_t>(random_())), mask_};
        keys_.events.clear();
        const bool running = state_.PadActive == True;
        poll_.PadTimerProc();
        if (!running) return keys_.events.empty() ? "" : "a key event while paused";

        const int32_t buttons = state_.Buttons;
        std::array<bool, kControls> now{};
        now[0] = x_ < 0, now[1] = x_ > 0, now[2] = y_ < 0, now[3] = y_ > 0;
        for (int i = 1; i <= buttons; ++i) now[3 + i] = (mask_ >> (i - 1)) & 1u;
        const bool repeat = state_.Repeat == 1, keyup = state_.Keyup == 1;

        std::array<int, kControls> released{}, pressed{};
        bool pressing = false;
        int last = -1;
        for (const Event& e : keys_.events) {
            if (e.control < 0) return "a key no control is mapped to";
            if (e.control >= 4 + buttons) return "an event for a button not examined";
            if (!e.up && !pressing) pressing = true, last = -1;
            if (e.up && pressing) return "a release after a press in one poll";
            if (e.control <= last) return "controls out of order";
            last = e.control;
            if (e.up) {
                if (!down_[e.control]) return "a release of a key that is not down";
                down_[e.control] = false;
                ++released[e.control], ++releases_[e.control];
            } else {
                if (down_[e.control] && !repeat) return "a second press without repeat";
                down_[e.control] = true;
                ++pressed[e.control], ++presses_[e.control];
            }
        }
        for (int c = 0; c < 4 + buttons; ++c) {
            const bool before = held_[c];
            const bool release = repeat && keyup ? before : before && !now[c];
            const bool press = repeat ? now[c] : now[c] && !before;
            if (released[c] != release || pressed[c] != press) {
                std::ostringstream why;
                why << "control " << c << " held " << before << " -> " << now[c] << ": released "
                    << released[c] << " pressed " << pressed[c];
                return why.str();
            }
            if (down_[c] != now[c]) return "a key is down exactly while its control is held";
            held_[c] = now[c];
        }
        return "";
    }

    std::mt19937 random_;
    SharedState state_;
    FakePadSource source_;
    FakeClock clock_;
    ControlSink keys_;
    RecordingRateSignal rate_;
    PadReader reader_{source_, clock_, state_};
    PollCycle poll_{state_, reader_, keys_, clock_, rate_};
    int x_ = 0, y_ = 0;
    uint32_t mask_ = 0;
    std::array<bool, kControls> held_{}, down_{};
    std::array<int64_t, kControls> presses_{}, releases_{};
};

class PollPropertyTest : public ::testing::TestWithParam<std::pair<int16_t, int16_t>> {};

TEST_P(PollPropertyTest, EveryKeyFollowsTheRulesAndComesUpAtRest) {
    const auto [repeat, keyup] = GetParam();
    PollProperty run(repeat, keyup, 7919u * static_cast<uint32_t>(repeat * 2 + keyup + 1));
    for (int i = 0; i < kPolls; ++i) {
        const std::string broken = run.Poll(false, false);
        ASSERT_EQ(broken, "") << "poll " << i;
    }
    ASSERT_EQ(run.Rest(false), "");
    for (int c = 0; c < kControls; ++c) {
        EXPECT_FALSE(run.Down(c)) << "control " << c;
        if (repeat == 0 || keyup == 1) {
            EXPECT_EQ(run.Presses(c), run.Releases(c)) << "control " << c;
        } else {
            EXPECT_GE(run.Presses(c), run.Releases(c)) << "control " << c;
        }
    }
    EXPECT_EQ(run.Buttons(), kMaxButtons) << "the button count should have reached 30 on the way";
}

// Pausing and lowering the button count are the two ways a key stays down: no release is sent
// while paused or for a button no longer examined. The rules hold again as soon as the control
// is examined again, and at rest with every button examined every key is up.
TEST_P(PollPropertyTest, PausesAndFewerButtonsOnlyPostponeReleases) {
    const auto [repeat, keyup] = GetParam();
    PollProperty run(repeat, keyup, 104729u + static_cast<uint32_t>(repeat * 2 + keyup));
    bool postponed = false;
    for (int i = 0; i < kPolls / 4; ++i) {
        ASSERT_EQ(run.Poll(true, true), "") << "poll " << i;
        for (int c = 4 + run.Buttons(); c < kControls; ++c) postponed = postponed || run.Down(c);
    }
    EXPECT_TRUE(postponed) << "some key above a lowered button count stayed down on the way";
    ASSERT_EQ(run.Rest(true), "");
    for (int c = 0; c < kControls; ++c) EXPECT_FALSE(run.Down(c)) << "control " << c;
}

INSTANTIATE_TEST_SUITE_P(RepeatModes, PollPropertyTest,
                         ::testing::Values(std::pair<int16_t, int16_t>{0, 0}, std::pair<int16_t, int16_t>{0, 1},
                                           std::pair<int16_t, int16_t>{1, 0}, std::pair<int16_t, int16_t>{1, 1}));

}  // namespace
}  // namespace pwstd
