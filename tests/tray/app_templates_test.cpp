// The key map following the program in front, the pad's template button and the tip that names
// the key map in force.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/tray/tray_rig.h"
#include "tray/late_front.h"

namespace pwstd::test {
namespace {

class CountingTemplateSignal final : public TemplateSignal {
public:
    int posts = 0;
    void post() override { ++posts; }
};

class AppTemplates : public ::testing::Test {
protected:
    void Start(const char* app_switch = "1") {
        rig.profile.Set("Padwright Standard", "AppSwitch", app_switch);
        rig.profile.Set("AppTemplates", "game.exe", "3");
        rig.profile.Set("AppTemplates", "Other.EXE", "7");
        rig.profile.Set("AppTemplates", "broken.exe", "11");
        rig.profile.Set("AppTemplates", "<AC8C><C784>.exe", "3");
        rig.profile.Set("KeySetteiTemp3", "Cursor1", "87");
        rig.profile.Set("KeySetteiTemp7", "Cursor1", "73");
        rig.form.SetAppTemplates(foreground, japanese, nullptr);
        rig.form.Form_Load();
    }
    void Front(const std::string& name, bool ours_or_shell = false) {
        ASSERT_TRUE(foreground.in_front);
        foreground.in_front({name, ours_or_shell});
    }
    const std::string* BefTemp() { return rig.profile.Find("Padwright Standard", "BefTemp"); }

    TrayRig rig;
    FakeForeground foreground;
    testing::FakeCodePage japanese{"ゲーム"};
};

// Each step brings a window to the front or chooses by hand; after it, the checked slot and the
// up key. "BefTemp" follows only the choices by hand.
TEST_F(AppTemplates, TheKeyMapFollowsTheProgramInFrontAndComesBackToTheHandsChoice) {
    struct Step {
        const char* what;   // program name, or "menu N"
        bool ours_or_shell;
        int checked;
        int32_t up_key;
        const char* bef_temp;
    };
    const std::vector<Step> steps = {
        {"explorer.exe", true, 3, 87, "0"},          // the shell's own windows change nothing
        {"SearchHost.exe", false, 3, 87, "0"},
        {"StartMenuExperienceHost.EXE", false, 3, 87, "0"},
        {"", false, 3, 87, "0"},                     // a program whose name is unknown
        {"notepad.exe", false, 0, 38, "0"},          // no entry: the slot chosen at start-up
        {"broken.exe", false, 0, 38, "0"},           // an entry outside 0..10 is no entry
        {"other.exe", false, 7, 73, "0"},
        {"menu 5", false, 5, 38, "5"},               // by hand while an entry is in front
        {"PwStd.exe", true, 5, 38, "5"},             // its own windows: the tray menu, a dialog
        {"other.exe", false, 5, 38, "5"},            // the same program again keeps the choice
        {"game.exe", false, 3, 87, "5"},
        {"notepad.exe", false, 5, 38, "5"},          // no entry: the hand's last choice
        {"게임.exe", false, 3, 87, "5"},             // a name the code page lacks: its escaped key
    };
    rig.profile.Set("Padwright Standard", "StartTemp", "2");
    foreground.now = {"GAME.exe", false};  // an entry, in any case, looked at after the start-up rule
    Start();
    EXPECT_EQ(rig.Checked(), std::vector<int>{3});
    EXPECT_EQ(rig.form.Templates().Hand(), 0);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const std::string what = step.what;
        if (what.rfind("menu ", 0) == 0) {
            rig.Item("mnuTemp", std::stoi(what.substr(5))).Choose();
        } else {
            Front(what, step.ours_or_shell);
        }
        EXPECT_EQ(rig.Checked(), std::vector<int>{step.checked});
        EXPECT_EQ(rig.Dir(0), step.up_key);
        ASSERT_NE(BefTemp(), nullptr);
        EXPECT_EQ(*BefTemp(), step.bef_temp);
    }
}

TEST_F(AppTemplates, TheSectionIsReadAtEachSwitchAndNothingHappensForTheSameSlot) {
    Start();
    Front("game.exe");
    rig.profile.Set("AppTemplates", "game.exe", "0");
    rig.profile.Set("AppTemplates", "new.exe", "3");
    rig.log.clear();
    Front("new.exe");
    EXPECT_EQ(rig.Checked(), std::vector<int>{3});
    EXPECT_EQ(rig.log, Log{"get AppTemplates/new.exe"}) << "slot 3 already in force: no key read";
    Front("game.exe");
    EXPECT_EQ(rig.Checked(), std::vector<int>{0});
}

TEST_F(AppTemplates, WithoutTheSwitchNothingIsFollowedOrAddedToTheMenu) {
    for (const char* value : {"0", ""}) {
        TrayRig fresh;
        FakeForeground watch;
        const testing::FakeCodePage ansi("");
        fresh.profile.Set("Padwright Standard", "AppSwitch", value);
        fresh.profile.Set("AppTemplates", "game.exe", "3");
        watch.now = {"game.exe", false};
        fresh.form.SetAppTemplates(watch, ansi, nullptr);
        fresh.form.Form_Load();
        EXPECT_FALSE(watch.in_front) << value;
        EXPECT_EQ(fresh.Checked(), std::vector<int>{0});
        EXPECT_EQ(fresh.Item("mnuTempL1").Items().size(), 11u);
        fresh.form.ProgramInFront({"game.exe", false});
        EXPECT_EQ(fresh.Checked(), std::vector<int>{0});
    }
    Start();
    const auto& items = rig.Item("mnuTempL1").Items();
    ASSERT_EQ(items.size(), 13u);
    EXPECT_TRUE(items[11]->IsSeparator());
    EXPECT_EQ(items[12]->Caption(), "アプリ別テンプレート...");
}

// The pad's button: the poll cycle only signals each press and sends no key for it; the switch on
// the UI thread is a choice by hand in the menu's order.
TEST_F(AppTemplates, ThePadButtonCyclesTheTemplatesAsTheMenuWould) {
    CountingTemplateSignal signal;
    rig.template_signal = &signal;
    rig.profile.Set("Padwright Standard", "TemplateButton", "6");  // above Buttons (4)
    rig.profile.Set("Padwright Standard", "StartTemp", "2");
    rig.profile.Set("Padwright Standard", "BefTemp", "9");
    Start("0");
    EXPECT_EQ(rig.form.options().template_button, 6);
    rig.state.Repeat = 0;
    const uint32_t held = 1u << 5 | 1u;  // buttons 6 and 1
    for (uint32_t mask : {held, held, 1u, held, 0u}) {
        rig.pad.reading.Buttons = mask;
        rig.poll().PadTimerProc();
    }
    EXPECT_EQ(signal.posts, 2);
    EXPECT_EQ(rig.keys.Take(), "press 32, release 32");
    std::vector<int> order;
    for (int i = 0; i < 12; ++i) {
        rig.form.TemplateButton_Press();
        order.push_back(rig.Checked().at(0));
    }
    EXPECT_EQ(order, (std::vector<int>{10, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(*BefTemp(), "10");

    // Within Buttons the button sends nothing in any repeat mode; paused, nothing is signalled.
    TrayRig within;
    CountingTemplateSignal presses;
    within.template_signal = &presses;
    within.profile.Set("Padwright Standard", "TemplateButton", "2");
    within.form.Form_Load();
    within.keys.Take();
    for (int16_t repeat : {int16_t{0}, int16_t{1}}) {
        within.state.Repeat = repeat;
        for (uint32_t mask : {2u, 2u, 0u}) {
            within.pad.reading.Buttons = mask;
            within.poll().PadTimerProc();
        }
    }
    within.state.PadActive = False;
    within.pad.reading.Buttons = 2u;
    within.poll().PadTimerProc();
    EXPECT_EQ(within.keys.Take(), "");
    EXPECT_EQ(presses.posts, 2);
}

// New options from the options dialog: the timer stops, what the pad holds is let go, the
// pipeline, the bindings and the shift map are made anew, the watch and its menu item follow the
// switch, and the timer starts again; the key map in force stays and nothing is written.
TEST_F(AppTemplates, NewOptionsApplyAtOnceAndKeepTheKeyMapInForce) {
    rig.profile.Set("Padwright Standard", "StartTemp", "2");
    rig.profile.Set("Padwright Standard", "BefTemp", "3");
    rig.profile.Set("KeySetteiTemp5", "Button2", "66");
    Start("0");
    ASSERT_EQ(rig.Checked(), std::vector<int>{3});
    rig.state.Repeat = 0;
    rig.pad.reading.Ypos = 0;  // up: 87 in template 3
    rig.poll().PadTimerProc();
    EXPECT_EQ(rig.keys.Take(), "press 87");

    const auto timer_and_keys = [&] {
        Log kept;
        for (const std::string& line : rig.log)
            if (line.starts_with("timer ") || line.starts_with("press") || line.starts_with("release") ||
                line.starts_with("put ") || line.starts_with("tray "))
                kept.push_back(line);
        rig.log.clear();
        return kept;
    };
    rig.log.clear();
    Options next = rig.form.options();
    next.app_switch = true;
    next.pov_stick = true;
    next.shift_button = 4;
    next.shift_template = 5;
    rig.form.ApplyOptions(next);
    EXPECT_EQ(timer_and_keys(), (Log{"timer kill_event 77", "timer end_period 25", "release 87",
                                     "tray modify 7 " + std::to_string(rig.state.IconFrame) + " 動作中・・・\nテンプレート３", "timer begin_period 25",
                                     "timer set_event 25 5"}));
    rig.keys.Take();
    EXPECT_EQ(rig.Checked(), std::vector<int>{3});
    EXPECT_EQ(rig.state.TimerId, 78);
    EXPECT_TRUE(foreground.in_front);
    EXPECT_EQ(rig.Item("mnuTempL1").Items().size(), 13u);

    // The hat now gives a direction; the shift button shifts to template 5.
    rig.pad.reading = {32768, 32768, 0, 9000};
    rig.poll().PadTimerProc();
    rig.pad.reading = {32768, 32768, 1u << 3 | 1u << 1};
    rig.poll().PadTimerProc();
    EXPECT_EQ(rig.keys.Take(), "press 39, release 39, press 66");

    next.app_switch = false;
    next.shift_button = 0;
    rig.form.ApplyOptions(next);
    EXPECT_FALSE(foreground.in_front);
    EXPECT_EQ(rig.Item("mnuTempL1").Items().size(), 11u);
    EXPECT_EQ(rig.keys.Take(), "release 66");
    rig.pad.reading = {32768, 32768, 1u << 3};
    rig.poll().PadTimerProc();
    EXPECT_EQ(rig.keys.Take(), "press 32");
    EXPECT_EQ(rig.Checked(), std::vector<int>{3});
    for (const std::string& line : timer_and_keys()) EXPECT_FALSE(line.starts_with("put ")) << line;
}

TEST_F(AppTemplates, TheRunningTipNamesTheKeyMapInForceWhileEitherOptionIsOn) {
    struct Row {
        const char* app_switch;
        const char* button;
        int slot;
        std::string name;
        std::string tip;
    };
    const std::string long_name = std::string(40, 'x') + "テンプレート";
    const std::vector<Row> rows = {
        {"0", "0", 3, "", "動作中・・・ 40FPS"},
        {"1", "0", 0, "", "動作中・・・ 40FPS\nカスタム"},
        {"0", "3", 4, "Race", "動作中・・・ 40FPS\nRace"},
        {"0", "31", 4, "Race", "動作中・・・ 40FPS"},
        // The 12 characters of the rate and the line break leave 50 of the 63 for the name.
        {"1", "0", 2, long_name + "𝄞𝄞𝄞𝄞𝄞", "動作中・・・ 40FPS\n" + std::string(40, 'x') + "テンプレート𝄞𝄞"},
        {"1", "0", 2, long_name + "abc𝄞", "動作中・・・ 40FPS\n" + std::string(40, 'x') + "テンプレートabc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tip);
        TrayRig fresh;
        fresh.profile.Set("Padwright Standard", "AppSwitch", row.app_switch);
        fresh.profile.Set("Padwright Standard", "TemplateButton", row.button);
        if (!row.name.empty()) fresh.profile.Set("KeySetteiTemp" + std::to_string(row.slot), "TempName", row.name);
        fresh.form.Form_Load();
        fresh.Item("mnuTemp", row.slot).Choose();
        fresh.poll().ShowPollRate(40);
        fresh.form.ShowPollRate();
        ASSERT_FALSE(fresh.tray.calls.empty());
        EXPECT_EQ(fresh.tray.calls.back().record.tip, row.tip);
        fresh.form.TogglePadActive();
        EXPECT_EQ(fresh.tray.calls.back().record.tip, "停止中・・・");
        fresh.form.TogglePadActive();
        EXPECT_EQ(fresh.tray.calls.back().record.tip.substr(0, 18), "動作中・・・");
    }
}

// A store app's frame that comes to the front before its app's window is under it is looked at once
// more, a moment later, only while it is still in front; nothing else waits.
TEST(LateFront, AFrameWhoseAppIsNotKnownYetIsLookedAtOnceMore) {
    const FrontProgram host{"ApplicationFrameHost.exe", false}, app{"Calculator.exe", false}, unknown{};
    struct Row {
        const char* what;
        FrontProgram owner, found;
        uintptr_t in_front_later;
        bool waits, looks;
    };
    const std::vector<Row> rows = {
        {"the app's window not there yet", host, unknown, 1, true, true},
        {"the frame host's name in another case", {"applicationframehost.EXE", false}, unknown, 1, true, true},
        {"the app already known", host, app, 1, false, false},
        {"another window in front by then", host, unknown, 2, true, false},
        {"an ordinary program that cannot be asked", unknown, unknown, 1, false, false},
        {"a program of the shell", {"ApplicationFrameHost.exe", true}, unknown, 1, false, false},
        {"a name that only begins like it", {"ApplicationFrameHost.exe.bak", false}, unknown, 1, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        LateFront late;
        EXPECT_EQ(late.InFront(1, row.owner, row.found) == LateFront::Then::LookAgain, row.waits);
        EXPECT_EQ(late.LookNow(row.in_front_later), row.looks);
        EXPECT_FALSE(late.LookNow(1)) << "once only";
    }
    // A window that came to the front in between calls the look off; the frame again asks anew.
    LateFront late;
    late.InFront(1, host, unknown);
    EXPECT_EQ(late.InFront(2, app, app), LateFront::Then::Report);
    EXPECT_FALSE(late.LookNow(1));
    late.InFront(2, app, app);
    late.InFront(1, host, unknown);
    EXPECT_TRUE(late.LookNow(1));
}

}  // namespace
}  // namespace pwstd::test
