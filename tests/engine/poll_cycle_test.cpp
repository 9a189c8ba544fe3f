#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <memory>

#include "engine/bindings/key_map_file.h"
#include "engine/engine.h"
#include "tests/engine/allocations.h"
#include "tests/support/fakes.h"
#include "tests/support/running_state.h"

namespace pwstd {

void PrintTo(const PollRate& rate, std::ostream* out) {
    *out << "frame " << rate.frame << ", " << rate.polls << " polls";
}

namespace {

using namespace pwstd::testing;

constexpr uint32_t kCentre = 32768;
constexpr uint32_t kLeftX = 0, kRightX = 65535, kUpY = 0, kDownY = 65535;

// The poll cycle on recording fakes, built from the options as the program builds it.
class PollRig : public ::testing::Test {
protected:
    void Build(const Options& options) {
        engine = std::make_unique<Engine>(state, options, bindings, source, nullptr, keys, clock, rate);
    }
    PollCycle& poll() { return engine->poll; }
    // Binds `control` to `code` in the table in force.
    void SetKey(int control, int32_t code) {
        BindingTable table = bindings.Current();
        table[control] = Action::Key(code);
        bindings.Publish(table);
    }
    // The pipeline with the mouse on, `stick` moving the cursor and `control` bound to `code` as the
    // mouse-on key map binds it.
    void MouseOn(int32_t stick, int control = -1, int32_t code = 0, Options options = {}) {
        options.mouse = true;
        Build(options);
        BindingTable table = bindings.Current();
        if (control >= 0) table[control] = Action::MouseOrKey(code);
        table.mouse_stick = stick;
        bindings.Publish(table);
    }

    SharedState state;
    FakePadSource source;
    FakeClock clock;
    RecordingKeySink keys;
    RecordingRateSignal rate;
    LiveBindings bindings;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>(state, Options{}, bindings, source, nullptr, keys, clock, rate);
};

class PollCycleTest : public PollRig {
protected:
    void SetUp() override {
        RunningState(state, bindings, 4, 0, 0);
        state.Wait = 25;
        clock.now = 500;  // the first poll's rate display is checked on its own
        poll().PadTimerProc();
        keys.events.clear();
        poll().TakePollRate();
    }
    void Pad(uint32_t x, uint32_t y, uint32_t buttons) { source.reading = {x, y, buttons}; }
    bool shift_first = false;
    std::string Poll() {
        clock.now += 25;
        poll().PadTimerProc();
        return keys.Take();
    }
};

TEST_F(PollCycleTest, TheFourRepeatModes) {
    struct Mode {
        int16_t repeat, keyup;
        std::vector<std::string> polls;  // held for three polls, then let go
    };
    const std::vector<Mode> modes = {
        {0, 0, {"press 67", "", "", "release 67"}},
        {0, 1, {"press 67", "", "", "release 67"}},
        {1, 0, {"press 67", "press 67", "press 67", "release 67"}},
        {1, 1, {"press 67", "release 67, press 67", "release 67, press 67", "release 67"}},
    };
    for (const Mode& m : modes) {
        state.Repeat = m.repeat;
        state.Keyup = m.keyup;
        std::vector<std::string> seen;
        Pad(kCentre, kCentre, 0x4);  // button 3
        for (int i = 0; i < 3; ++i) seen.push_back(Poll());
        Pad(kCentre, kCentre, 0);
        seen.push_back(Poll());
        EXPECT_EQ(seen, m.polls) << "Repeat " << m.repeat << " Keyup " << m.keyup;
        EXPECT_EQ(Poll(), "");
    }
}

TEST_F(PollCycleTest, AllReleasesComeBeforeAllPressesInTheFixedOrder) {
    Pad(kLeftX, kUpY, 0x3);
    EXPECT_EQ(Poll(), "press 37, press 38, press 65, press 66");
    Pad(kRightX, kDownY, 0xC);
    EXPECT_EQ(Poll(), "release 37, release 38, release 65, release 66, press 39, press 40, press 67, press 68");
}

TEST_F(PollCycleTest, OnlyButtonsInUseAreDecoded) {
    Pad(kCentre, kCentre, 0x80000001u | 0x40000000u | 0x10);  // 1, 31, 32 and 5
    EXPECT_EQ(Poll(), "press 65") << "button 1 seen with button 32; 5 and above are not in use";
    state.Buttons = 30;
    EXPECT_EQ(Poll(), "press 69");
}

// Whatever changes while a control is held (a pause, the key map, the button count), the key
// that went down comes up with its own code, in the usual order, at the next poll; what is still
// held then goes down again by the rules of the repeat mode.
TEST_F(PollCycleTest, AKeyThatWentDownComesUpWithItsOwnCode) {
    struct Step {
        std::function<void()> change;  // made before the poll
        std::array<const char*, 4> polls;  // what the poll sends: Repeat/Keyup 0/0, 0/1, 1/0, 1/1
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const auto held = [this](uint32_t x, uint32_t buttons) { return [=, this] { Pad(x, kCentre, buttons); }; };
    const auto mouse = [this](int control, int32_t code) { return [=, this] { MouseOn(0, control, code); }; };
    const std::vector<Case> cases = {
        {"a mouse button, paused while held",
         {{mouse(ButtonControl(2), 1), {"", "", "", ""}},
          {held(kCentre, 0x3), {"press 65, left down", "press 65, left down", "press 65, left down",
                                "press 65, left down"}},
          {[] {}, {"", "", "press 65", "release 65, press 65"}},
          {[this] { state.PadActive = False; }, {"left up, release 65", "left up, release 65", "left up, release 65",
                                                 "left up, release 65"}},
          {[this] { state.PadActive = True; }, {"press 65, left down", "press 65, left down", "press 65, left down",
                                                "press 65, left down"}},
          {held(kCentre, 0), {"left up, release 65", "left up, release 65", "left up, release 65",
                              "left up, release 65"}}}},
        {"a mouse button, key map changed while held",
         {{mouse(ButtonControl(2), 5), {"", "", "", ""}},
          {held(kCentre, 0x2), {"x1 down", "x1 down", "x1 down", "x1 down"}},
          {[this] {
               BindingTable table = bindings.Current();
               table[ButtonControl(2)] = Action::MouseOrKey(2);
               bindings.Publish(table);
           }, {"x1 up, right down", "x1 up, right down", "x1 up, right down", "x1 up, right down"}},
          {[this] { SetKey(ButtonControl(2), 90); }, {"right up, press 90", "right up, press 90",
                                                      "right up, press 90", "right up, press 90"}},
          {held(kCentre, 0), {"release 90", "release 90", "release 90", "release 90"}}}},
        {"a mouse button above a lowered button count",
         {{mouse(ButtonControl(5), 4), {"", "", "", ""}},
          {[this] {
               state.Buttons = 5;
               Pad(kCentre, kCentre, 0x10);
           }, {"middle down", "middle down", "middle down", "middle down"}},
          {[this] { state.Buttons = 4; }, {"middle up", "middle up", "middle up", "middle up"}},
          {[this] { state.Buttons = 5; }, {"middle down", "middle down", "middle down", "middle down"}},
          {[this] { poll().ReleaseHeld(); }, {"middle up, middle down", "middle up, middle down",
                                              "middle up, middle down", "middle up, middle down"}},
          {held(kCentre, 0), {"middle up", "middle up", "middle up", "middle up"}}}},
        {"paused while held",
         {{held(kCentre, 0x1), {"press 65", "press 65", "press 65", "press 65"}},
          {[this] { state.PadActive = False; }, {"release 65", "release 65", "release 65", "release 65"}},
          {[] {}, {"", "", "", ""}},
          {[this] { state.PadActive = True; }, {"press 65", "press 65", "press 65", "press 65"}},
          {[] {}, {"", "", "press 65", "release 65, press 65"}},
          {held(kCentre, 0), {"release 65", "release 65", "release 65", "release 65"}}}},
        {"key map changed while held",
         {{held(kLeftX, 0x1), {"press 37, press 65", "press 37, press 65", "press 37, press 65", "press 37, press 65"}},
          {[this] { SetKey(kControlLeft, 90); },
           {"release 37, press 90", "release 37, press 90", "release 37, press 90, press 65",
            "release 37, release 65, press 90, press 65"}},
          {held(kCentre, 0x1), {"release 90", "release 90", "release 90, press 65", "release 90, release 65, press 65"}},
          {held(kCentre, 0), {"release 65", "release 65", "release 65", "release 65"}}}},
        {"fewer buttons while held",
         {{[this] {
              state.Buttons = 30;
              Pad(kCentre, kCentre, 0x11);
          }, {"press 65, press 69", "press 65, press 69",
                                                                         "press 65, press 69", "press 65, press 69"}},
          {[this] { state.Buttons = 4; },
           {"release 69", "release 69", "release 69, press 65", "release 65, release 69, press 65"}},
          {[this] { state.Buttons = 5; }, {"press 69", "press 69", "press 65, press 69",
                                           "release 65, press 65, press 69"}},
          {held(kCentre, 0), {"release 65, release 69", "release 65, release 69", "release 65, release 69",
                              "release 65, release 69"}}}},
    };
    const int16_t modes[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (const Case& c : cases) {
        for (int m = 0; m < 4; ++m) {
            SCOPED_TRACE(std::string(c.name) + ", Repeat " + std::to_string(modes[m][0]) + " Keyup " +
                         std::to_string(modes[m][1]));
            RunningState(state, bindings, 4, modes[m][0], modes[m][1]);
            Pad(kCentre, kCentre, 0);
            for (size_t s = 0; s < c.steps.size(); ++s) {
                c.steps[s].change();
                const int reads = source.calls;
                EXPECT_EQ(Poll(), c.steps[s].polls[m]) << "step " << s;
                if (state.PadActive == False) {
                    EXPECT_EQ(source.calls, reads) << "no reading while paused";
                }
            }
            EXPECT_EQ(Poll(), "");
        }
    }
}

// After the buttons, in the order Z low .. V high; an axis control without a key sends nothing.
TEST_F(PollCycleTest, AxisControlsFollowTheButtonsAndAKeylessOneIsSilent) {
    Options options;
    options.all_axes = true;
    Build(options);
    for (int a = 0; a < kAxisControls; ++a) SetKey(AxisControl(a), a == 3 ? 0 : 100 + a);
    source.joy_caps = {6, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasV};
    source.reading = {kCentre, kCentre, 0, kJoyPovCentered, 0, kCentre, kCentre, 65535};
    EXPECT_EQ(Poll(), "") << "the rests";
    source.reading = {kLeftX, kCentre, 0x1, kJoyPovCentered, 65535, 65535, 0, 0};
    EXPECT_EQ(Poll(), "press 37, press 65, press 101, press 104, press 106");
    source.reading = {kCentre, kCentre, 0, kJoyPovCentered, 0, 0, 65535, 65535};
    EXPECT_EQ(Poll(), "release 37, release 65, release 101, release 104, release 106, press 102, press 105");
    state.PadActive = False;
    EXPECT_EQ(Poll(), "release 102, release 105");
    state.PadActive = True;
    EXPECT_EQ(Poll(), "") << "after the pause the rests are learned again: R and U now rest at ends";
    source.reading = {kCentre, kCentre, 0, kJoyPovCentered, 65535, 65535, 0, 65535};
    EXPECT_EQ(Poll(), "press 101, press 104") << "R rests at 0 now; its high end has no key";
}

// With combinations on: button 1 is Ctrl+Shift+S, button 2 Ctrl+W; button 4 is the shift button,
// and under the shift map button 1 sends Z, button 3 B and right D. Each step sets the pad (and
// maybe changes something) before a poll, and gives what that poll sends.
TEST_F(PollCycleTest, CombinationsAndTheShiftPollByPoll) {
    struct Step {
        uint32_t buttons;
        const char* sent;
        std::function<void()> change = [] {};
    };
    struct Case {
        const char* name;
        int16_t repeat, keyup;
        std::vector<Step> steps;
    };
    const uint8_t save[] = {17, 16, 83}, close[] = {17, 87}, close_tab[] = {17, 115};
    const auto rebind = [this](int control, Action action) {
        return [this, control, action] {
            BindingTable table = bindings.Current();
            table[control] = action;
            bindings.Publish(table);
        };
    };
    const std::vector<Case> cases = {
        {"in order, up in reverse", 0, 0,
         {{0x1, "press 17, press 16, press 83"}, {0x1, ""}, {0x0, "release 83, release 16, release 17"}}},
        {"repeat presses the last part only", 1, 0,
         {{0x1, "press 17, press 16, press 83"}, {0x1, "press 83"}, {0x0, "release 83, release 16, release 17"}}},
        {"key-up repeat lets go of the last part only", 1, 1,
         {{0x1, "press 17, press 16, press 83"}, {0x1, "release 83, press 83"},
          {0x0, "release 83, release 16, release 17"}}},
        {"a shared Ctrl goes up with the last", 0, 0,
         {{0x1, "press 17, press 16, press 83"}, {0x3, "press 87"}, {0x2, "release 83, release 16"},
          {0x0, "release 87, release 17"}}},
        {"a single code shared with a part", 0, 0,
         {{0x1, "press 17, press 16, press 83"}, {0x5, "press 67"}, {0x4, "release 83, release 16, release 17"},
          {0x0, "release 67"}, {0x0, "", rebind(ButtonControl(3), Action::Key(17))},
          {0x5, "press 17, press 16, press 83"}, {0x4, "release 83, release 16"}, {0x0, "release 17"}}},
        {"the map changes while a combination is held", 0, 0,
         {{0x1, "press 17, press 16, press 83"},
          {0x1, "release 83, release 16, release 17, press 17, press 87", rebind(ButtonControl(1), Action::Combination(close, 2))},
          {0x1, "release 87, release 17, press 17, press 115", rebind(ButtonControl(1), Action::Combination(close_tab, 2))},
          {0x1, "release 115, release 17, press 65", rebind(ButtonControl(1), Action::Key(65))},
          {0x0, "release 65"}}},
        {"the shift gives the shift map and never sends itself", 1, 1,
         {{0x8, ""}, {0x8, ""}, {0xC, "press 66"}, {0xC, "release 66, press 66"}, {0x8, "release 66"},
          {0x9, "press 90"}, {0x0, "release 90"}}},
        {"held across the shift's start", 0, 0,
         {{0x4, "press 67"}, {0xC, ""}, {0x4, ""}, {0x0, "release 67"}, {0xC, "press 66"}}},
        {"held across the shift's end", 1, 0,
         {{0xD, "press 90, press 66"}, {0x5, "press 90, press 66"}, {0x4, "release 90, press 66"},
          {0x0, "release 66"}, {0x4, "press 67"}}},
        {"a template switch while shifted applies after", 0, 0,
         {{0x8, ""}, {0x8, "", rebind(ButtonControl(3), Action::Key(88))}, {0xC, "press 66"}, {0x0, "release 66"},
          {0x4, "press 88"}}},
        {"pause and quit release every part", 0, 0,
         {{0xB, "press 90, press 17, press 87", [this] { shift_first = true; }},
          {0xB, "release 90, release 87, release 17", [this] { state.PadActive = False; }},
          {0x3, "press 17, press 16, press 83, press 87", [this] { state.PadActive = True; }},
          {0x0, "release 83, release 16, release 87, release 17", [this] { poll().ReleaseHeld(); }}}},
    };
    Options options;
    options.combos = true;
    Build(options);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunningState(state, bindings, 4, c.repeat, c.keyup);
        BindingTable normal = bindings.Current();
        normal[ButtonControl(1)] = Action::Combination(save, 3);
        normal[ButtonControl(2)] = Action::Combination(close, 2);
        normal[ButtonControl(4)] = Action::ShiftAction();
        bindings.Publish(normal);
        BindingTable shift = normal;
        shift[ButtonControl(1)] = Action::Key(90);
        shift[ButtonControl(3)] = Action::Key(66);
        shift[kControlRight] = Action::Key(68);
        bindings.PublishShift(shift);
        for (size_t s = 0; s < c.steps.size(); ++s) {
            const Step& step = c.steps[s];
            shift_first = false;
            step.change();
            Pad(kCentre, kCentre, step.buttons);
            if (shift_first) {
                // The shift button went down a poll before the others.
                Pad(kCentre, kCentre, 0x8);
                Poll();
                Pad(kCentre, kCentre, step.buttons);
            }
            // A ReleaseHeld (quit) sends on its own, before the poll.
            std::string sent = keys.Take();
            const std::string polled = Poll();
            if (!sent.empty() && !polled.empty()) sent += ", ";
            EXPECT_EQ(sent + polled, step.sent) << "step " << s;
        }
        Pad(kCentre, kCentre, 0);
        Poll();
    }
}

// MouseSpeed 800, MouseDeadZone 15, MouseCurve 2: the moves of the first polls at Wait 25, and the
// pixels of one second at Wait 10, 25 and 50, which are the same.
TEST_F(PollCycleTest, TheMouseStickMovesTheCursorAtOneSpeedWhateverTheDirectionAndTheWait) {
    struct Row {
        uint32_t x, y;
        std::vector<std::string> polls;  // at Wait 25
        int32_t second_x, second_y;      // pixels in 1000 ms
    };
    const std::vector<Row> rows = {
        {kRightX, kCentre, {"move 19 0", "move 20 0", "move 20 0"}, 799, 0},
        {kLeftX, kCentre, {"move -19 0", "move -20 0", "move -20 0"}, -799, 0},
        {kCentre, kUpY, {"move 0 -19", "move 0 -20", "move 0 -20"}, 0, -799},
        {kRightX, kDownY,
         {"move 14 14", "move 14 14", "move 14 14", "move 14 14", "move 14 14", "move 14 14", "move 14 14",
          "move 15 15", "move 14 14"},
         565, 565},
        {49151, kCentre, {"move 3 0", "move 3 0", "move 4 0", "move 3 0", "move 3 0", "move 4 0"}, 135, 0},
        {36044, kCentre, {"", "", ""}, 0, 0},   // one tenth: inside the dead zone
        {kCentre, kCentre, {"", "", ""}, 0, 0},  // an idle pad sends nothing at all
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.x) + ", " + std::to_string(row.y));
        MouseOn(1);
        state.Wait = 25;
        Pad(row.x, row.y, 0);
        for (const std::string& expected : row.polls) EXPECT_EQ(Poll(), expected);
        for (const int32_t wait : {10, 25, 50}) {
            MouseOn(1);
            state.Wait = wait;
            int32_t x = 0, y = 0;
            for (int32_t ms = 0; ms < 1000; ms += wait) {
                poll().PadTimerProc();
                for (const auto& m : keys.mice) x += m.dx, y += m.dy;
                EXPECT_TRUE(keys.events.empty()) << "the stick's directions send no key";
                keys.Take();
            }
            EXPECT_EQ(x, row.second_x) << "Wait " << wait;
            EXPECT_EQ(y, row.second_y) << "Wait " << wait;
        }
    }
    // Into the dead zone and out again: the carried fraction is gone.
    MouseOn(1);
    state.Wait = 25;
    const auto polls = [this](int n) {
        std::vector<std::string> seen;
        for (int i = 0; i < n; ++i) seen.push_back(Poll());
        return seen;
    };
    Pad(49151, kCentre, 0);
    EXPECT_EQ(polls(2), (std::vector<std::string>{"move 3 0", "move 3 0"}));
    Pad(kCentre, kCentre, 0);
    EXPECT_EQ(Poll(), "");
    Pad(49151, kCentre, 0);
    EXPECT_EQ(polls(3), (std::vector<std::string>{"move 3 0", "move 3 0", "move 4 0"}));
}

// While a stick moves the cursor its own controls send nothing; the others, and the hat, still do.
// The move comes first, so a click in the same poll lands where the cursor went.
// With the mouse off the stick and the mouse codes are keys as before.
TEST_F(PollCycleTest, TheMouseStickTakesItsOwnControlsAndTheMouseOffKeepsEverythingAKey) {
    Options axes;
    axes.all_axes = axes.pov_stick = true;
    source.joy_caps = {6, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasV | kJoyCapsHasPov};
    struct Row {
        const char* name;
        std::function<void()> build;
        FakeReading reading;
        const char* sent;
    };
    const FakeReading moved{kRightX, kCentre, 0x2, 9000, 65535, 65535, 65535, 65535};
    const std::vector<Row> rows = {
        {"stick 1, the hat still gives directions", [&] { MouseOn(1, ButtonControl(2), 1, axes); }, moved,
         "move 19 0, press 39, press 101, press 103, press 105, press 107, left down"},
        {"stick 2: Z and R", [&] { MouseOn(2, ButtonControl(2), 1, axes); }, moved,
         "move 14 14, press 39, press 105, press 107, left down"},
        {"stick 3: U and R", [&] { MouseOn(3, ButtonControl(2), 1, axes); }, moved,
         "move 14 14, press 39, press 101, press 107, left down"},
        {"stick 2 on a trigger at Z: Z stays a control",
         [&] { MouseOn(2, ButtonControl(2), 151, axes); },
         {kCentre, kCentre, 0x2, kJoyPovCentered, 65535, 0, kCentre, kCentre}, "move 0 -19, press 101, wheel 120"},
        {"the mouse off",
         [&] {
             Build(axes);
             BindingTable table = bindings.Current();
             table[ButtonControl(2)] = Action::Key(1);
             table[ButtonControl(3)] = Action::Key(151);
             table.mouse_stick = 1;
             bindings.Publish(table);
         },
         {kRightX, kCentre, 0x6, kJoyPovCentered, kCentre, kCentre, kCentre, kCentre}, "press 39, press 1, press 151"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.build();
        for (int a = 0; a < kAxisControls; ++a) SetKey(AxisControl(a), 100 + a);
        // The rests: a trigger at Z when the row starts with Z at an end.
        source.reading = {kCentre, kCentre, 0, kJoyPovCentered, row.reading.Zpos == 65535 && row.reading.Rpos == 0 ? 0u : kCentre,
                          kCentre, kCentre, kCentre};
        EXPECT_EQ(Poll(), "");
        source.reading = row.reading;
        EXPECT_EQ(Poll(), row.sent);
        source.reading = {};
        poll().ReleaseHeld();
        keys.Take();
    }
}

// A wheel control notches at its press and each time its held time, counted as Wait a poll,
// reaches another 1000 / WheelRate ms; nothing when it comes up, and Repeat and Keyup do not apply.
TEST_F(PollCycleTest, AWheelNotchesOnItsSchedule) {
    struct Row {
        int32_t code, wait, rate;
        int16_t repeat;
        std::vector<std::string> polls;  // held, then let go at the last
    };
    const std::vector<Row> rows = {
        {152, 25, 10, 0, {"wheel -120", "", "", "", "wheel -120", "", "", "", "wheel -120", ""}},
        {151, 25, 10, 1, {"wheel 120", "", "", "", "wheel 120", ""}},
        {153, 100, 3, 0, {"hwheel -120", "", "", "", "hwheel -120", "", "", "hwheel -120", ""}},
        {154, 50, 50, 0, {"hwheel 120", "hwheel 240", "hwheel 360", "hwheel 240", ""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        Options options;
        options.wheel_rate = row.rate;
        MouseOn(0, ButtonControl(2), row.code, options);
        state.Wait = row.wait;
        state.Repeat = row.repeat;
        state.Keyup = row.repeat;
        Pad(kCentre, kCentre, 0x2);
        std::vector<std::string> seen;
        for (size_t i = 0; i + 1 < row.polls.size(); ++i) seen.push_back(Poll());
        Pad(kCentre, kCentre, 0);
        seen.push_back(Poll());
        EXPECT_EQ(seen, row.polls);
    }
}

// A combination ending in a mouse code (Ctrl+click, Ctrl+wheel): its keys go down before the
// mouse action and come up after it, and never repeat; a pause lets go of the click first too.
TEST_F(PollCycleTest, KeysHeldAroundAMouseActionGoDownFirstAndUpLast) {
    struct Row {
        std::vector<uint8_t> parts;
        int16_t repeat;
        bool pause;                      // the last poll pauses instead of letting go
        std::vector<std::string> polls;  // held, then let go (or paused) at the last
    };
    const std::vector<Row> rows = {
        {{17, 1}, 1, false, {"press 17, left down", "", "left up, release 17"}},
        {{17, 16, 152}, 1, false, {"press 17, press 16, wheel -120", "", "", "", "wheel -120", "release 16, release 17"}},
        {{18, 6}, 0, true, {"press 18, x2 down", "x2 up, release 18"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.parts.back());
        Options options;
        options.combos = true;
        MouseOn(0, -1, 0, options);
        BindingTable table = bindings.Current();
        table[ButtonControl(2)] = Action::Combination(row.parts.data(), static_cast<int>(row.parts.size()));
        BindMouseCodes(table);
        bindings.Publish(table);
        state.Repeat = row.repeat;
        state.Keyup = row.repeat;
        Pad(kCentre, kCentre, 0x2);
        std::vector<std::string> seen;
        for (size_t i = 0; i + 1 < row.polls.size(); ++i) seen.push_back(Poll());
        if (row.pause) {
            state.PadActive = False;
        } else {
            Pad(kCentre, kCentre, 0);
        }
        seen.push_back(Poll());
        EXPECT_EQ(seen, row.polls);
        state.PadActive = True;
    }
}

TEST_F(PollCycleTest, TwoControlsOnOneKeyEachSendTheirOwnEvents) {
    SetKey(ButtonControl(2), 65);
    Pad(kCentre, kCentre, 0x3);
    EXPECT_EQ(Poll(), "press 65, press 65");
    Pad(kCentre, kCentre, 0x2);
    EXPECT_EQ(Poll(), "release 65");
}

TEST_F(PollCycleTest, AnUnpluggedPadReleasesEverythingAtOnceAndThenSendsNothing) {
    state.Repeat = 1;
    state.Keyup = 1;
    Pad(kLeftX, kDownY, 0x9);
    EXPECT_EQ(Poll(), "press 37, press 40, press 65, press 68");
    source.code = 167;
    EXPECT_EQ(Poll(), "release 37, release 40, release 65, release 68");
    for (int i = 0; i < 100; ++i) EXPECT_EQ(Poll(), "");
}

TEST_F(PollCycleTest, AnUnpluggedPadIsAskedOnceASecondAndUsedAtOnceAfterADeviceChange) {
    Pad(kLeftX, kCentre, 0x2);
    EXPECT_EQ(Poll(), "press 37, press 66");
    source.code = 167;
    const int calls = source.calls;
    EXPECT_EQ(Poll(), "release 37, release 66") << "the release sequence is that of a centred pad";
    for (int i = 0; i < 80; ++i) EXPECT_EQ(Poll(), "");  // 2 s of polls at 25 ms
    EXPECT_EQ(source.calls - calls, 3) << "the failure, then one call a second";
    source.code = 0;
    Pad(kCentre, kUpY, 0x1);
    engine->pads.DeviceChanged();
    EXPECT_EQ(Poll(), "press 38, press 65") << "the first poll after the device change uses the pad";
}

// What was held on one pad is not held on another: when another joystick answers in its place, the
// keys come up and what the new pad holds goes down again.
TEST_F(PollCycleTest, AnotherPadFirstReleasesWhatTheOldOneHeld) {
    Options options;
    options.any_joystick = true;
    Build(options);
    Pad(kLeftX, kCentre, 0x1);
    EXPECT_EQ(Poll(), "press 37, press 65");
    EXPECT_EQ(Poll(), "");
    source.only_id = 1;
    EXPECT_EQ(Poll(), "release 37, release 65, press 37, press 65");
    EXPECT_EQ(Poll(), "");
}

TEST_F(PollCycleTest, ReleaseHeldLetsGoOfEverythingStillDownWithTheCodesThatWentDown) {
    state.Buttons = 30;
    Pad(kRightX, kCentre, 0x20000001u);
    Poll();
    state.Buttons = 2;
    SetKey(kControlRight, 90);
    poll().ReleaseHeld();
    EXPECT_EQ(keys.Take(), "release 39, release 65, release 94");
    poll().ReleaseHeld();
    EXPECT_EQ(keys.Take(), "");
}

// On the timer thread nothing may wait on the heap: polls that press, release, repeat, find a pad
// anew and show the rate allocate nothing.
TEST_F(PollCycleTest, APollAllocatesNothing) {
    Options options;
    options.any_joystick = options.all_axes = options.pov_stick = options.scan_codes = true;
    Build(options);
    state.Repeat = 1;
    state.Keyup = 1;
    source.joy_caps = {6, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasPov};
    Poll();
    // The recording fakes' own room, made beforehand.
    source.ids.reserve(4096);
    source.caps_ids.reserve(256);
    keys.events.reserve(16384);
    keys.shapes.reserve(16384);
    const int64_t before = testing::Allocations();
    for (int i = 0; i < 200; ++i) {
        Pad(i % 2 == 0 ? kLeftX : kRightX, kCentre, i % 3 == 0 ? 0x3FFFFFFFu : 0x5u);
        source.reading.Pov = i % 2 == 0 ? 4500u : 65535u;
        source.only_id = i % 50 == 0 ? 2 : -1;  // now and then another pad: released and found anew
        clock.now += 25;
        poll().PadTimerProc();
        if (i % 40 == 0) poll().TakePollRate();
    }
    EXPECT_EQ(testing::Allocations() - before, 0);
    EXPECT_GT(rate.posts, 0);
    keys.events.clear();
}

class PollRateTest : public PollRig {
protected:
    void SetUp() override {
        state.PadActive = True;
        state.Buttons = 1;
        state.IconFrame = 1;
    }
    // One poll at `ms`; the display it handed to the UI thread, taken as the rate signal has it.
    std::optional<PollRate> PollAt(uint32_t ms) {
        clock.now = ms;
        const int posts = rate.posts;
        poll().PadTimerProc();
        return rate.posts > posts ? poll().TakePollRate() : std::nullopt;
    }
};

TEST_F(PollRateTest, ShownOnceASecondWithTheCountOfPollsBetween) {
    EXPECT_EQ(PollAt(5000), (PollRate{2, 0}));
    EXPECT_EQ(poll().TakePollRate(), std::nullopt) << "taken once";
    std::vector<PollRate> shown;
    for (uint32_t i = 1; i <= 41; ++i)
        if (const auto display = PollAt(5000 + 25 * i)) shown.push_back(*display);
    EXPECT_EQ(shown, (std::vector<PollRate>{{3, 40}})) << "1025 ms after the first display";
    EXPECT_EQ(rate.posts, 2);
}

TEST_F(PollRateTest, KeepsComingAcrossTheTickCountWrapAndFramesCycle) {
    std::vector<int16_t> frames;
    for (uint32_t start : {0x7FFFFC00u, 0xFFFFFC00u}) {
        size_t shown = 0;
        for (uint32_t i = 1; i <= 200; ++i) {
            if (const auto display = PollAt(start + 25 * i)) {
                frames.push_back(display->frame);
                ++shown;
            }
        }
        EXPECT_GE(shown, 4u) << "start " << start;
        EXPECT_LE(shown, 6u) << "start " << start;
    }
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i], frames[i - 1] % 4 + 1);
}

// However long the UI thread takes to come, one signal waits and the latest display is shown;
// whether the pad still runs is the UI thread's to judge when it shows it.
TEST_F(PollRateTest, AWaitingDisplayIsReplacedByTheNextAndTheFrameAdvancesEvenWhilePaused) {
    state.IconFrame = 4;
    state.PadActive = False;
    poll().ShowPollRate(40);
    EXPECT_EQ(state.IconFrame, 1);
    poll().ShowPollRate(39);
    EXPECT_EQ(rate.posts, 1);
    EXPECT_EQ(poll().TakePollRate(), (PollRate{2, 39}));
    EXPECT_EQ(poll().TakePollRate(), std::nullopt);
    poll().ShowPollRate(41);
    EXPECT_EQ(rate.posts, 2);
    EXPECT_EQ(poll().TakePollRate(), (PollRate{3, 41}));

    // A signal the full queue refused will never arrive: the next display signals again.
    rate.queue_full = true;
    poll().ShowPollRate(42);
    rate.queue_full = false;
    poll().ShowPollRate(43);
    EXPECT_EQ(rate.posts, 4);
    EXPECT_EQ(poll().TakePollRate(), (PollRate{1, 43}));
}

}  // namespace
}  // namespace pwstd
