#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/general/prop_fixture.h"

namespace pwstd::testing {
namespace {

using forms::ScrollAction;

constexpr uint32_t kLow = 0, kCentre = 32768, kHigh = 65535;

uint32_t Pressed(std::initializer_list<int> buttons) {
    uint32_t mask = 0;
    for (int b : buttons) mask |= 1u << (b - 1);
    return mask;
}

class TestPanelTest : public PropTest {
protected:
    void Tick() { C("Timer1").Tick(); }
    const std::string& Shown() { return C("Text1").Caption(); }
};

TEST_F(TestPanelTest, ShowsDirectionsThenThePressedButtonsUpToTheSlidersCount) {
    struct Row {
        uint32_t x, y, buttons;
        int32_t count;
        uint32_t code;
        const char* text;
    };
    const std::vector<Row> rows = {
        {kCentre, kCentre, 0, 4, 0, ""},
        {kLow, kLow, Pressed({1, 3}), 4, 0, "左 上 1 3"},
        {kCentre, kHigh, 0, 4, 0, " 下"},
        {kHigh, kCentre, Pressed({12}), 30, 0, "右 12"},
        {kLow, kHigh, Pressed({2, 10}), 10, 0, "左 下 2 10"},
        {kLow, kHigh, Pressed({2, 10}), 4, 0, "左 下 2"},
        {kCentre, kCentre, Pressed({1, 32}), 30, 0, " 1"},
        {kCentre, kCentre, Pressed({30}), 30, 0, " 30"},
        // Just inside the centre with the default sensitivity 16384.
        {16384, 49152, 0, 4, 0, ""},
        {16383, 49153, 0, 4, 0, "左 下"},
        // Unplugged (kept last: the readers then back off): whatever the record holds, nothing.
        {kLow, kLow, Pressed({1}), 4, 167, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        state.Buttons = row.count;
        pad.reading = {row.x, row.y, row.buttons};
        pad.code = row.code;
        pad.calls = 0;
        prop.Load();
        Tick();
        EXPECT_EQ(Shown(), row.text);
        // A failing joystick is left alone for a while by the readers, so only a working one is
        // sure to be asked three times.
        if (row.code == 0) {
            EXPECT_EQ(pad.calls, 3) << "three fresh readings per tick";
        }
        EXPECT_EQ(pad.last_id, 0);
    }
}

// With AllAxes: one reading a tick, the held axis controls after the buttons.
TEST_F(TestPanelTest, HeldAxisControlsFollowTheButtons) {
    Options axes;
    axes.all_axes = true;
    Pads axis_pads(pad, nullptr, clock, axes.Input());
    Prop dialog(state, axes, profile, timer, sleeper, axis_pads, templates);
    pad.joy_caps = {6, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasV};
    pad.reading = {kCentre, kCentre, 0, kJoyPovCentered, kLow, kCentre, kCentre, kHigh};
    dialog.Load();
    dialog.Find("Timer1").Tick();
    EXPECT_EQ(dialog.Find("Text1").Caption(), "") << "the rests: a trigger at each end, two sticks centred";
    pad.calls = 0;
    pad.reading = {kLow, kCentre, Pressed({2}), kJoyPovCentered, kHigh, kLow, kHigh, kLow};
    dialog.Find("Timer1").Tick();
    EXPECT_EQ(dialog.Find("Text1").Caption(), "左 2 Z+ R- U+ V-");
    EXPECT_EQ(pad.calls, 1);
}

TEST_F(TestPanelTest, WritesTheTextOnlyWhenItChanges) {
    prop.Load();
    Tick();
    Tick();
    EXPECT_EQ(observer.text_writes, 0) << "nothing pressed: the empty box is left alone";
    pad.reading = {kLow, kCentre, Pressed({2})};
    Tick();
    Tick();
    Tick();
    EXPECT_EQ(observer.text_writes, 1);
    EXPECT_EQ(Shown(), "左 2");
    pad.reading = {kCentre, kCentre, 0};
    Tick();
    EXPECT_EQ(observer.text_writes, 2);
    EXPECT_EQ(Shown(), "");
}

TEST_F(TestPanelTest, InputHeldAcrossAReopeningShowsAtTheFirstTick) {
    pad.reading = {kHigh, kCentre, Pressed({1})};
    prop.Load();
    Tick();
    ASSERT_EQ(Shown(), "右 1");
    prop.PressEscape();
    prop.Load();
    EXPECT_EQ(Shown(), "");
    Tick();
    EXPECT_EQ(Shown(), "右 1");
}

TEST_F(TestPanelTest, TheButtonSliderCountsAtTheNextTickBeforeOk) {
    pad.reading = {kCentre, kCentre, Pressed({2, 10})};
    prop.Load();
    Tick();
    EXPECT_EQ(Shown(), " 2");
    C("HScroll1").UserScroll(ScrollAction::ThumbTrack, 10);
    EXPECT_EQ(Shown(), " 2") << "only a tick rewrites the panel";
    Tick();
    EXPECT_EQ(Shown(), " 2 10");
    EXPECT_EQ(state.Buttons, 4);
}

TEST_F(TestPanelTest, TheSensitivitySliderChangesDirectionsOnceCommitted) {
    pad.reading = {20000, kCentre, 0};
    prop.Load();
    Tick();
    EXPECT_EQ(Shown(), "");
    C("HScroll2").UserScroll(ScrollAction::ThumbTrack, 20001);
    Tick();
    EXPECT_EQ(Shown(), "") << "a drag does not reach the readers";
    C("HScroll2").UserScroll(ScrollAction::ThumbPosition, 20001);
    Tick();
    EXPECT_EQ(Shown(), "左");
    prop.PressEscape();
    EXPECT_EQ(state.Kando, 16384);
}

TEST_F(TestPanelTest, StoredSensitivityZeroShowsNoDirectionWhileTheDialogIsOpen) {
    state.Kando = 0;
    pad.reading = {kLow, kLow, Pressed({1})};
    prop.Load();
    Tick();
    EXPECT_EQ(Shown(), " 1") << "the slider's minimum of 1 would report left and up";
    C("HScroll2").UserScroll(ScrollAction::LineRight);
    Tick();
    EXPECT_EQ(Shown(), "左 上 1");
}

}  // namespace
}  // namespace pwstd::testing
