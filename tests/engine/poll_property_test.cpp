// Random polls against the key rules: in every repeat mode, with the stick and buttons moving, the
// pad paused, buttons added and removed and the key map changed on the way, every key event follows
// from the change the poll saw, every release sends a code that is down, and after every poll the
// keys down are exactly those of the controls held, with the codes of the map in force. Seeded, so
// a failure repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "tests/support/fakes.h"
#include "tests/support/running_state.h"

namespace pwstd {
namespace {

using namespace pwstd::testing;

constexpr int kControls = 4 + kMaxButtons;  // left, right, up, down, buttons 1..30
constexpr int kPolls = 100000;

struct Event {
    uint8_t vk;
    bool up;
};

class EventSink final : public OutputSink {
public:
    std::vector<Event> events;
    uint32_t scan_code(uint8_t) override { return 0; }
    void key(uint8_t vk, uint8_t, uint32_t flags) override { events.push_back({vk, (flags & kKeyEventKeyUp) != 0}); }
    void mouse(uint32_t, int32_t, int32_t, int32_t) override {}
};

class PollProperty {
public:
    PollProperty(int16_t repeat, int16_t keyup, uint32_t seed) : random_(seed) {
        RunningState(state_, bindings_, 1 + static_cast<int32_t>(random_() % 8), repeat, keyup);
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

    bool Down(int c) const { return down_[c] != 0; }
    int64_t Presses(int c) const { return presses_[c]; }
    int64_t Releases(int c) const { return releases_[c]; }
    int32_t Buttons() const { return state_.Buttons; }

private:
    void NewKeyMap() {
        std::array<int, 255> codes;
        std::iota(codes.begin(), codes.end(), 1);
        std::shuffle(codes.begin(), codes.end(), random_);
        control_of_.fill(-1);
        BindingTable table;
        for (int c = 0; c < kControls; ++c) {
            control_of_[codes[c]] = c;
            key_[c] = static_cast<uint8_t>(codes[c]);
            table[c] = Action::Key(codes[c]);
        }
        bindings_.Publish(table);
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
        const int reads = source_.calls;
        poll_.PadTimerProc();

        const int32_t buttons = running ? static_cast<int32_t>(state_.Buttons) : 0;
        std::array<bool, kControls> now{};
        if (running) {
            now[0] = x_ < 0, now[1] = x_ > 0, now[2] = y_ < 0, now[3] = y_ > 0;
            for (int i = 1; i <= buttons; ++i) now[3 + i] = (mask_ >> (i - 1)) & 1u;
        } else if (source_.calls != reads) {
            return "a reading while paused";
        }
        const bool repeat = state_.Repeat == 1, keyup = state_.Keyup == 1;
        const std::array<uint8_t, kControls> before = down_;

        std::array<int, kControls> released{}, pressed{};
        bool pressing = false;
        int last = -1;
        for (const Event& e : keys_.events) {
            // A release belongs to the control whose key went down with that code; a press to
            // the control the map in force gives the code.
            int control = -1;
            if (e.up) {
                for (int c = 0; c < kControls && control < 0; ++c)
                    if (down_[c] == e.vk) control = c;
                if (control < 0) return "a release of a key that is not down";
            } else {
                control = control_of_[e.vk];
                if (control < 0) return "a press of a key no control is mapped to";
                if (!running) return "a press while paused";
                if (control >= 4 + buttons) return "a press for a button not examined";
            }
            if (!e.up && !pressing) pressing = true, last = -1;
            if (e.up && pressing) return "a release after a press in one poll";
            if (control <= last) return "controls out of order";
            last = control;
            if (e.up) {
                down_[control] = 0;
                ++released[control], ++releases_[control];
            } else {
                if (down_[control] != 0 && !repeat) return "a second press without repeat";
                down_[control] = e.vk;
                ++pressed[control], ++presses_[control];
            }
        }
        for (int c = 0; c < kControls; ++c) {
            if (down_[c] != (now[c] ? key_[c] : 0)) {
                std::ostringstream why;
                why << "control " << c << (now[c] ? " held" : " not held") << " has key " << int(down_[c])
                    << " down, the map gives " << int(key_[c]);
                return why.str();
            }
            if (!running) continue;
            // A key that stays down with its code is left alone unless the mode repeats it.
            const bool kept = before[c] != 0 && before[c] == key_[c] && now[c];
            if (kept && released[c] != (keyup && repeat ? 1 : 0)) return "a held key released against the mode";
            if (kept && pressed[c] != (repeat ? 1 : 0)) return "a held key pressed against the mode";
        }
        if (!running) paused_releases_ += static_cast<int>(keys_.events.size());
        for (int c = 4 + buttons; c < kControls && running; ++c) dropped_releases_ += released[c];
        return "";
    }

    std::mt19937 random_;
    SharedState state_;
    FakePadSource source_;
    FakeClock clock_;
    EventSink keys_;
    RecordingRateSignal rate_;
    LiveBindings bindings_;
    Engine engine_{state_, Options{}, bindings_, source_, nullptr, keys_, clock_, rate_};
    PollCycle& poll_ = engine_.poll;
    int x_ = 0, y_ = 0;
    uint32_t mask_ = 0;
    std::array<int, 256> control_of_{};
    std::array<uint8_t, kControls> key_{}, down_{};
    std::array<int64_t, kControls> presses_{}, releases_{};

public:
    int paused_releases_ = 0;   // keys let go by a paused tick
    int dropped_releases_ = 0;  // keys let go because their button left the count
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

// A pause, a lowered button count and a new key map while controls are held: each lets go of the
// keys at once, with the codes that went down, and no key is ever left down.
TEST_P(PollPropertyTest, PausesFewerButtonsAndNewMapsLeaveNoKeyDown) {
    const auto [repeat, keyup] = GetParam();
    PollProperty run(repeat, keyup, 104729u + static_cast<uint32_t>(repeat * 2 + keyup));
    for (int i = 0; i < kPolls / 4; ++i) ASSERT_EQ(run.Poll(true, true), "") << "poll " << i;
    EXPECT_GT(run.paused_releases_, 0) << "some key was down when the pad was paused";
    EXPECT_GT(run.dropped_releases_, 0) << "some key was down when its button left the count";
    ASSERT_EQ(run.Rest(true), "");
    for (int c = 0; c < kControls; ++c) EXPECT_FALSE(run.Down(c)) << "control " << c;
}

INSTANTIATE_TEST_SUITE_P(RepeatModes, PollPropertyTest,
                         ::testing::Values(std::pair<int16_t, int16_t>{0, 0}, std::pair<int16_t, int16_t>{0, 1},
                                           std::pair<int16_t, int16_t>{1, 0}, std::pair<int16_t, int16_t>{1, 1}));

}  // namespace
}  // namespace pwstd
