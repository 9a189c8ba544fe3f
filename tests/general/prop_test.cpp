#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "dialogs/general/prop.h"
#include "tests/general/prop_fixture.h"
#include "tests/support/temp_ini.h"

namespace pwstd::testing {
namespace {

using forms::ScrollAction;

struct Settings {
    int32_t Wait, Buttons, Kando;
    int16_t Repeat, Keyup, StartTemp;
    int32_t TimerId;
    bool operator==(const Settings&) const = default;
};

void PrintTo(const Settings& s, std::ostream* os) {
    *os << "Wait " << s.Wait << " Buttons " << s.Buttons << " Kando " << s.Kando << " Repeat "
        << s.Repeat << " Keyup " << s.Keyup << " StartTemp " << s.StartTemp << " TimerId "
        << s.TimerId;
}

constexpr Settings kOpened{25, 4, 16384, 1, 1, 0, 7};

const Writes kDefaultWrites{{"Kando", "4000"}, {"Wait", "25"},  {"Buttons", "4"},
                            {"Repeat", "1"},   {"Keyup", "1"},  {"StartTemp", "0"}};

Writes With(Writes writes, const std::string& key, const std::string& value) {
    bool found = false;
    for (auto& [k, v] : writes) {
        if (k == key) v = value, found = true;
    }
    if (!found) writes.emplace_back(key, value);
    return writes;
}

class PropDialogTest : public PropTest {
protected:
    Settings Now() const {
        return {state.Wait, state.Buttons, state.Kando, state.Repeat, state.Keyup,
                state.StartTemp, state.TimerId};
    }
    void Set(const Settings& s) {
        state.Wait = s.Wait, state.Buttons = s.Buttons, state.Kando = s.Kando;
        state.Repeat = s.Repeat, state.Keyup = s.Keyup, state.StartTemp = s.StartTemp;
        state.TimerId = s.TimerId;
    }
    void Open(const Settings& s = kOpened) {
        Set(s);
        CheckTemplate(0);
        profile.writes.clear();
        calls.clear();
        timer.next_id = 9;
        prop.Load();
    }
};

TEST_F(PropDialogTest, OkAppliesWritesInOrderAndRestartsTheTimerOnlyForANewInterval) {
    const std::vector<std::string> restart{"timer kill_event 7", "timer end_period 25", "sleep 100",
                                           "timer begin_period 50", "timer set_event 50 5"};
    struct Row {
        const char* name;
        std::function<void()> act;
        Writes writes;
        std::vector<std::string> timer_calls;
        Settings after;
    };
    const std::vector<Row> rows = {
        {"untouched", [] {}, kDefaultWrites, {}, kOpened},
        {"interval 25 to 50", [&] { Drag("HScroll3", 50); }, With(kDefaultWrites, "Wait", "50"),
         restart, {50, 4, 16384, 1, 1, 0, 9}},
        {"interval moved and back",
         [&] {
             C("HScroll3").UserScroll(ScrollAction::PageRight);
             C("HScroll3").UserScroll(ScrollAction::PageLeft);
         },
         kDefaultWrites, {}, kOpened},
        {"sensitivity 255", [&] { Drag("HScroll2", 255); }, With(kDefaultWrites, "Kando", "FF"),
         {}, {25, 4, 255, 1, 1, 0, 7}},
        {"buttons 30", [&] { C("HScroll1").UserScroll(ScrollAction::Rightmost); },
         With(kDefaultWrites, "Buttons", "30"), {}, {25, 30, 16384, 1, 1, 0, 7}},
        {"rule 2 with template 3 in force",
         [&] {
             CheckTemplate(3);
             C("Option1", 2).UserClick();
         },
         With(With(kDefaultWrites, "StartTemp", "2"), "BefTemp", "3"), {},
         {25, 4, 16384, 1, 1, 2, 7}},
        {"rule 2 while templates follow programs: the hand's choice, not the one in force",
         [&] {
             options.app_switch = true;
             templates.Switch(5, true);
             CheckTemplate(3);
             C("Option1", 2).UserClick();
         },
         With(With(kDefaultWrites, "StartTemp", "2"), "BefTemp", "5"), {},
         {25, 4, 16384, 1, 1, 2, 7}},
        {"rule 1 writes no BefTemp",
         [&] {
             CheckTemplate(3);
             C("Option1", 1).UserClick();
         },
         With(kDefaultWrites, "StartTemp", "1"), {}, {25, 4, 16384, 1, 1, 1, 7}},
        {"repeat off keeps key-up", [&] { C("Check1").UserClick(); },
         With(kDefaultWrites, "Repeat", "0"), {}, {25, 4, 16384, 0, 1, 0, 7}},
        {"both boxes off",
         [&] {
             C("Check2").UserClick();
             C("Check1").UserClick();
         },
         With(With(kDefaultWrites, "Repeat", "0"), "Keyup", "0"), {}, {25, 4, 16384, 0, 0, 0, 7}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Open();
        row.act();
        C("Command2", 0).UserClick();
        EXPECT_EQ(profile.writes, row.writes);
        EXPECT_EQ(calls, row.timer_calls);
        EXPECT_EQ(Now(), row.after);
        EXPECT_FALSE(prop.Loaded());
    }
}

TEST_F(PropDialogTest, OkRewritesTheGeneralKeysInPlaceAndLeavesTheRestOfTheFile) {
    TempIni ini;
    ini.Write("[Padwright Standard]\r\nWait=25\r\nBefTemp=4\r\n[KeySettei]\r\nCursor1=38\r\n");
    state.IniPath = ini.path;
    TemplateSwitcher on_file{state, options, ini.profile, bindings};
    on_file.Switch(3, false);
    Prop dialog{state, options, ini.profile, timer, sleeper, pads, on_file};
    dialog.Load();
    dialog.Find("HScroll2").UserScroll(ScrollAction::PageLeft);
    dialog.Find("Option1", 2).UserClick();
    dialog.PressEnter();
    EXPECT_EQ(ini.Contents(),
              "[Padwright Standard]\r\nWait=25\r\nBefTemp=3\r\nKando=3F00\r\nButtons=4\r\n"
              "Repeat=1\r\nKeyup=1\r\nStartTemp=2\r\n[KeySettei]\r\nCursor1=38\r\n");
}

TEST_F(PropDialogTest, CancelAndCloseBoxPutBackTheSensitivityTheSliderAppliedLive) {
    struct Row {
        const char* name;
        std::function<void()> close;
        int32_t kando_after;
    };
    const std::vector<Row> rows = {
        {"Cancel", [&] { C("Command2", 1).UserClick(); }, 16384},
        {"Esc", [&] { prop.PressEscape(); }, 16384},
        {"close box", [&] { prop.UserClose(); }, 16384},
        // Closed by the program for any other reason (Windows shutting down): nothing restored.
        {"closed from code", [&] { prop.Unload(); }, 16640},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Open();
        C("HScroll2").UserScroll(ScrollAction::PageRight);
        EXPECT_EQ(state.Kando, 16640) << "the engine uses the moved value at once";
        Drag("HScroll3", 50);
        C("HScroll1").UserScroll(ScrollAction::LineRight);
        C("Check1").UserClick();
        C("Option1", 2).UserClick();
        row.close();
        EXPECT_FALSE(prop.Loaded());
        Settings expected = kOpened;
        expected.Kando = row.kando_after;
        EXPECT_EQ(Now(), expected);
        EXPECT_TRUE(profile.writes.empty());
        EXPECT_TRUE(calls.empty());
    }
}

TEST_F(PropDialogTest, OpeningShowsTheSettingsInForceAndDefaultsResetsTheControlsOnly) {
    Open({50, 10, 300, 0, 0, 2, 7});
    EXPECT_EQ(C("Label1", 0).Caption(), "ボタン数－ 10");
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－12C");
    EXPECT_EQ(C("Label1", 3).Caption(), "ジョイスティック監視間隔－ 50ms");
    EXPECT_EQ(C("Check1").Value(), 0);
    EXPECT_EQ(C("Check2").Value(), 0);
    EXPECT_FALSE(C("Check2").Enabled());
    EXPECT_EQ(C("Option1", 2).Value(), 1);
    EXPECT_EQ(C("Option1", 0).Value(), 0);
    EXPECT_EQ(state.Kando, 300);

    C("Command1").UserClick();
    EXPECT_EQ(C("HScroll1").Value(), 4);
    EXPECT_EQ(C("HScroll2").Value(), 16384);
    EXPECT_EQ(C("HScroll3").Value(), 25);
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－4000");
    EXPECT_EQ(C("Label1", 3).Caption(), "ジョイスティック監視間隔－ 25ms");
    EXPECT_EQ(C("Check1").Value(), 1);
    EXPECT_TRUE(C("Check2").Enabled());
    EXPECT_EQ(C("Check2").Value(), 1);
    EXPECT_EQ(C("Option1", 0).Value(), 1);
    EXPECT_EQ(C("Option1", 2).Value(), 0);
    EXPECT_EQ(state.Kando, 16384) << "the sensitivity follows the slider at once";
    EXPECT_TRUE(profile.writes.empty());

    C("Command2", 1).UserClick();
    EXPECT_EQ(Now(), (Settings{50, 10, 300, 0, 0, 2, 7}));
    EXPECT_TRUE(profile.writes.empty());

    Open({50, 10, 300, 0, 0, 2, 7});
    C("Command1").UserClick();
    prop.PressEnter();
    EXPECT_EQ(profile.writes, kDefaultWrites);
    EXPECT_EQ(calls, (std::vector<std::string>{"timer kill_event 7", "timer end_period 50", "sleep 100",
                                                     "timer begin_period 25", "timer set_event 25 5"}));
    EXPECT_EQ(Now(), (Settings{25, 4, 16384, 1, 1, 0, 9}));
}

TEST_F(PropDialogTest, LabelsFollowDragsAndTheSensitivityOnlyCommittedValues) {
    Open();
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－ 4000") << "the laid-out text until the slider moves";
    C("HScroll2").UserScroll(ScrollAction::LineRight);
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－4001");
    EXPECT_EQ(state.Kando, 16385);

    C("HScroll2").UserScroll(ScrollAction::ThumbTrack, 300);
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－12C");
    EXPECT_EQ(state.Kando, 16385) << "a drag moves only the label";
    C("HScroll2").UserScroll(ScrollAction::ThumbPosition, 300);
    EXPECT_EQ(state.Kando, 300);

    C("HScroll1").UserScroll(ScrollAction::ThumbTrack, 12);
    EXPECT_EQ(C("Label1", 0).Caption(), "ボタン数－ 12");
    C("HScroll3").UserScroll(ScrollAction::PageLeft);
    EXPECT_EQ(C("Label1", 3).Caption(), "ジョイスティック監視間隔－ 15ms");
    EXPECT_EQ(state.Wait, 25);
}

TEST_F(PropDialogTest, KeyRepeatOffGreysKeyUpWhichKeepsItsCheck) {
    Open();
    C("Check1").UserClick();
    EXPECT_FALSE(C("Check2").Enabled());
    EXPECT_EQ(C("Check2").Value(), 1);
    C("Check2").UserClick();
    EXPECT_EQ(C("Check2").Value(), 1) << "a greyed box does not toggle";
    C("Check1").UserClick();
    EXPECT_TRUE(C("Check2").Enabled());
    EXPECT_EQ(C("Check2").Value(), 1);
}

TEST_F(PropDialogTest, FocusStartsOnTheButtonCountAndEnterPressesTheFocusedButton) {
    Open();
    EXPECT_EQ(prop.Focused(), &C("HScroll1"));
    C("HScroll2").UserScroll(ScrollAction::PageRight);
    prop.SetFocus(C("Command1"));
    prop.PressEnter();
    EXPECT_TRUE(prop.Loaded()) << "Enter on Defaults presses Defaults, not OK";
    EXPECT_EQ(state.Kando, 16384);
    prop.SetFocus(C("Check1"));
    prop.PressEnter();
    EXPECT_FALSE(prop.Loaded());
    EXPECT_EQ(profile.writes, kDefaultWrites);
    EXPECT_EQ(observer.unloads, 1);
}

TEST_F(PropDialogTest, EveryOpeningStartsFromTheLayoutAndSavesTheSensitivityAfresh) {
    Open();
    C("HScroll2").UserScroll(ScrollAction::PageRight);
    C("Command2", 0).UserClick();
    ASSERT_EQ(state.Kando, 16640);

    prop.Load();
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－4100") << "the slider moved from its laid-out value";
    C("HScroll2").UserScroll(ScrollAction::PageRight);
    prop.UserClose();
    EXPECT_EQ(state.Kando, 16640);

    state.Kando = 16384;
    prop.Load();
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－ 4000");
}

// A stored sensitivity of 0 (direction detection off) stays in force until the user moves the
// slider: opening, OK and the test panel must not turn it into the slider's minimum of 1.
TEST_F(PropDialogTest, StoredSensitivityZeroStaysOffUntilTheUserMovesTheSlider) {
    Open({25, 4, 0, 1, 1, 0, 7});
    EXPECT_EQ(C("HScroll2").Value(), 1);
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－0");
    EXPECT_EQ(state.Kando, 0);
    C("HScroll2").UserScroll(ScrollAction::LineLeft);
    C("HScroll2").UserScroll(ScrollAction::ThumbTrack, 500);
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－1F4");
    C("HScroll2").UserScroll(ScrollAction::ThumbTrack, 1);
    C("HScroll2").UserScroll(ScrollAction::ThumbPosition, 1);
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－0") << "a drag back to the start changed nothing";
    EXPECT_EQ(state.Kando, 0);
    C("Command2", 0).UserClick();
    EXPECT_EQ(profile.writes, With(kDefaultWrites, "Kando", "0"));
    EXPECT_EQ(state.Kando, 0);

    Open({25, 4, 0, 1, 1, 0, 7});
    C("HScroll2").UserScroll(ScrollAction::LineRight);
    EXPECT_EQ(state.Kando, 2);
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－2");
    C("HScroll2").UserScroll(ScrollAction::LineLeft);
    EXPECT_EQ(state.Kando, 1) << "once moved, the slider's value is the one in force";
    EXPECT_EQ(C("Label1", 1).Caption(), "感度－1");
    prop.PressEscape();
    EXPECT_EQ(state.Kando, 0);

    Open({25, 4, 0, 1, 1, 0, 7});
    C("Command1").UserClick();
    EXPECT_EQ(state.Kando, 16384);
    C("Command2", 0).UserClick();
    EXPECT_EQ(profile.writes[0], (std::pair<std::string, std::string>{"Kando", "4000"}));
}

}  // namespace
}  // namespace pwstd::testing
