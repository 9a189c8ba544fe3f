// The options dialog against a real settings file and a registry that logs: what it shows when it
// opens, what OK writes and hands on, and that Cancel and the close box change nothing.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/options/opts.h"
#include "tests/options/fake_startup.h"
#include "tests/support/temp_ini.h"

namespace pwstd {
namespace {

struct OptsRig {
    testing::TempIni ini;
    SharedState state;
    Options in_force;
    FakeStartup startup;
    std::vector<Options> applied;
    Opts dialog{state, in_force, ini.profile, startup, [this](const Options& options) { applied.push_back(options); }};

    explicit OptsRig(const std::string& file) {
        if (!file.empty()) ini.Write(file);
        state.IniPath = ini.path;
        for (int n = 1; n <= kTemplateCount; ++n) state.TemplateNames[n] = DefaultTemplateName(n);
        state.TemplateNames[4] = "レース";
        in_force = ReadOptions(SettingsFile(ini.profile, state.IniPath));
        dialog.Load();
    }
    forms::Control& Box(int i) { return dialog.Find("Check1", i); }
    forms::Control& Slider(int i) { return dialog.Find("HScroll1", i); }
    std::string Label(int i) { return dialog.Find("Label1", i).Caption(); }
    void Ok() { dialog.Find("Command1", 0).UserClick(); }
};

std::vector<int32_t> Boxes(OptsRig& rig) {
    std::vector<int32_t> values;
    for (int i = 0; i < kBoxCount; ++i) values.push_back(rig.Box(i).Value());
    return values;
}

struct OpenCase {
    const char* what;
    std::string file;
    std::optional<std::string> run;
    std::vector<int32_t> boxes;
    std::vector<std::string> labels;
    bool mouse_sliders, shift_slot;  // enabled
};

TEST(OptionsDialog, OpensWithTheValuesTheFileHolds) {
    const OpenCase cases[] = {
        {"no file", "", std::nullopt, {0, 0, 0, 0, 0, 0, 0, 0, 0},
         {"テンプレート切り替えボタン－ なし", "シフトボタン－ なし", "シフト中のテンプレート－ テンプレート１",
          "マウスの速さ－ 800 ピクセル/秒", "マウスの遊び－ 15%", "マウスのカーブ－ 2", "ホイールの速さ－ 10 目盛り/秒"},
         false, false},
        // Values as the settings file's range rules read them.
        {"every option",
         "[Padwright Standard]\r\nPovStick=1\r\nAnyJoystick=2\r\nScanCodes=1\r\nXInput=1\r\nAllAxes=1\r\n"
         "AppSwitch=1\r\nMouse=1\r\nCombos=x\r\nTemplateButton=30\r\nShiftButton=3\r\nShiftTemplate=4\r\n"
         "MouseSpeed=9999\r\nMouseDeadZone=0\r\nMouseCurve=3\r\nWheelRate=1\r\n",
         "\"C:\\Jeux\\Pädwright\\PwStd.exe\"", {1, 1, 1, 1, 1, 1, 1, 0, 1},
         {"テンプレート切り替えボタン－ 30", "シフトボタン－ 3", "シフト中のテンプレート－ レース",
          "マウスの速さ－ 5000 ピクセル/秒", "マウスの遊び－ 0%", "マウスのカーブ－ 3", "ホイールの速さ－ 1 目盛り/秒"},
         true, true},
        {"out of range", "[Padwright Standard]\r\nTemplateButton=31\r\nShiftButton=2\r\nShiftTemplate=0\r\n",
         "D:\\Other\\PwStd.exe", {0, 0, 0, 0, 0, 0, 0, 0, 0},
         {"テンプレート切り替えボタン－ なし", "シフトボタン－ 2", "シフト中のテンプレート－ カスタム",
          "マウスの速さ－ 800 ピクセル/秒", "マウスの遊び－ 15%", "マウスのカーブ－ 2", "ホイールの速さ－ 10 目盛り/秒"},
         false, true},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(c.what);
        OptsRig rig(c.file);
        rig.startup.values.run = c.run;
        rig.dialog.Load();  // again, with the registry as this case has it
        EXPECT_EQ(Boxes(rig), c.boxes);
        for (int i = 0; i < kSliderCount; ++i) EXPECT_EQ(rig.Label(i), c.labels[static_cast<size_t>(i)]) << i;
        EXPECT_EQ(rig.Slider(kSliderMouseSpeed).Enabled(), c.mouse_sliders);
        EXPECT_EQ(rig.Slider(kSliderWheelRate).Enabled(), c.mouse_sliders);
        EXPECT_EQ(rig.Slider(kSliderShiftTemplate).Enabled(), c.shift_slot);
    }
}

const std::string kFile =
    "; kept as it is\r\n[Padwright Standard]\r\nKando=4000\r\nPovStick=0\r\nMouse=1\r\nTemplateButton=5\r\n"
    "[KeySettei]\r\nCursor1=38\r\n";

struct OkCase {
    const char* what;
    std::function<void(OptsRig&)> act;
    std::string file_after;
    std::function<void(const Options&)> applied;  // null: nothing handed on
    std::vector<std::string> registry;
};

TEST(OptionsDialog, OkWritesExactlyTheChangedKeysAndHandsOnTheOptions) {
    const OkCase cases[] = {
        {"nothing changed", [](OptsRig&) {}, kFile, nullptr, {}},
        {"changed and changed back",
         [](OptsRig& r) {
             r.Box(kBoxCombos).UserClick();
             r.Box(kBoxCombos).UserClick();
             r.Slider(kSliderMouseSpeed).UserScroll(forms::ScrollAction::PageRight);
             r.Slider(kSliderMouseSpeed).UserScroll(forms::ScrollAction::PageLeft);
         },
         kFile, nullptr, {}},
        {"a box, a slider and a present key",
         [](OptsRig& r) {
             r.Box(kBoxPovStick).UserClick();
             r.Slider(kSliderMouseDeadZone).UserScroll(forms::ScrollAction::PageRight);
             r.Box(kBoxMouse).UserClick();  // greys the slider, which keeps its value
         },
         "; kept as it is\r\n[Padwright Standard]\r\nKando=4000\r\nPovStick=1\r\nMouse=0\r\nTemplateButton=5\r\n"
         "MouseDeadZone=20\r\n[KeySettei]\r\nCursor1=38\r\n",
         [](const Options& o) {
             Options expected;
             expected.pov_stick = true;
             expected.mouse_dead_zone = 20;
             expected.template_button = 5;
             EXPECT_EQ(o, expected);
         },
         {}},
        {"the shift button on the template button",
         [](OptsRig& r) {
             for (int i = 0; i < 5; ++i) r.Slider(kSliderShiftButton).UserScroll(forms::ScrollAction::LineRight);
         },
         "; kept as it is\r\n[Padwright Standard]\r\nKando=4000\r\nPovStick=0\r\nMouse=1\r\nTemplateButton=5\r\n"
         "ShiftButton=5\r\n[KeySettei]\r\nCursor1=38\r\n",
         [](const Options& o) {
             EXPECT_EQ(o.shift_button, 5);
             EXPECT_EQ(o.template_button, 0);
             EXPECT_TRUE(o.mouse);
         },
         {}},
        {"only the start with Windows", [](OptsRig& r) { r.Box(kBoxStartWithWindows).UserClick(); }, kFile, nullptr,
         {"run=\"C:\\Jeux\\Pädwright\\PwStd.exe\""}},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(c.what);
        OptsRig rig(kFile);
        c.act(rig);
        rig.Ok();
        EXPECT_FALSE(rig.dialog.Loaded());
        EXPECT_EQ(rig.ini.Contents(), c.file_after);
        ASSERT_EQ(rig.applied.size(), c.applied ? 1u : 0u);
        if (c.applied) c.applied(rig.applied[0]);
        EXPECT_EQ(rig.startup.log, c.registry);
    }
}

TEST(OptionsDialog, CancelAndTheCloseBoxChangeNothing) {
    for (const bool close_box : {false, true}) {
        SCOPED_TRACE(close_box ? "close box" : "cancel");
        OptsRig rig(kFile);
        rig.Box(kBoxPovStick).UserClick();
        rig.Box(kBoxStartWithWindows).UserClick();
        rig.Slider(kSliderWheelRate).UserScroll(forms::ScrollAction::Rightmost);
        if (close_box) {
            rig.dialog.UserClose();
        } else {
            rig.dialog.PressEscape();
        }
        EXPECT_FALSE(rig.dialog.Loaded());
        EXPECT_EQ(rig.ini.Contents(), kFile);
        EXPECT_TRUE(rig.applied.empty());
        EXPECT_TRUE(rig.startup.log.empty());
    }
}

}  // namespace
}  // namespace pwstd
