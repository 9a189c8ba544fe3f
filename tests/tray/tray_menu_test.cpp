#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/tray/tray_rig.h"

namespace pwstd::test {
namespace {

class TrayMenu : public ::testing::Test {
protected:
    void SetUp() override {
        rig.form.Form_Load();
        rig.log.clear();
    }
    TrayRig rig;
};

void Walk(const forms::MenuItem& item, int level, Log& out) {
    out.push_back(std::to_string(level) + " " + item.name() + (item.index() >= 0 ? std::to_string(item.index()) : "") +
                  " " + item.Caption());
    for (const auto& child : item.Items()) Walk(*child, level + 1, out);
}

TEST_F(TrayMenu, TreeHasTheItemsInOrder) {
    Log tree;
    Walk(rig.form.Menu(), 0, tree);
    Log expected = {"0 mnuPop Popup", "1 mnuProp プロパティ...", "2 mnuKeySet キー設定...", "2 mnuPadActivity 一般設定...",
                    "2 mnuOptions 拡張設定...",
                    "1 mnuTempL1 テンプレート", "2 mnuTemp0 カスタム"};
    expected.push_back("2 mnuTemp1 テンプレート１");
    for (int n = 2; n <= 9; ++n) expected.push_back("2 mnuTemp" + std::to_string(n) + " " + rig.state.TemplateNames[n]);
    expected.push_back("2 mnuTemp10 テンプレート１０");
    for (const char* rest : {"1 mnuBo -", "1 mnuAbout バージョン情報", "1 mnuHelp ヘルプ", "1 mnuBo2 -", "1 mnuQuit 終了"})
        expected.push_back(rest);
    EXPECT_EQ(tree, expected);
}

TEST_F(TrayMenu, OnlyLeftAndRightButtonPressesAct) {
    for (uint32_t message : {512u, 514u, 515u, 517u, 518u, 0u, 0x404u}) {
        rig.form.TrayCallback(message);
        EXPECT_TRUE(rig.log.empty()) << message;
        EXPECT_EQ(rig.state.PadActive, True) << message;
    }
    rig.form.TrayCallback(kWmRButtonDown);
    EXPECT_EQ(rig.log, (Log{"foreground", "doevents", "popup mnuPop"}));
}

TEST_F(TrayMenu, LeftButtonPausesAndResumesWithTheFrameInForce) {
    rig.state.IconFrame = 3;
    rig.form.MenuOpen = True;  // cleared by the toggle itself
    rig.form.TogglePadActive();
    EXPECT_EQ(rig.state.PadActive, False);
    EXPECT_EQ(rig.form.MenuOpen, False);
    rig.form.TrayCallback(kWmLButtonDown);
    EXPECT_EQ(rig.state.PadActive, True);
    EXPECT_EQ(rig.log, (Log{"doevents", "tray modify 6 0 停止中・・・", "doevents", "tray modify 6 3 動作中・・・"}));
}

// Clicks on the icon keep arriving while the menu or a dialog from it is on screen.
TEST_F(TrayMenu, ClicksAreIgnoredWhileTheMenuOrADialogShows) {
    int made = 0;
    rig.form.SetDialogs(rig.Factory(made), rig.Factory(made), rig.Factory(made));
    int16_t menu_open_in_dialog = 0, dialog_open_in_dialog = 0, menu_open_in_popup = 0;
    auto click_both = [&] {
        rig.form.TrayCallback(kWmLButtonDown);
        rig.form.TrayCallback(kWmRButtonDown);
    };
    rig.windows.while_modal = [&](forms::Form&) {
        menu_open_in_dialog = rig.form.MenuOpen;
        dialog_open_in_dialog = rig.form.DialogOpen;
        click_both();
    };
    for (const char* item : {"mnuKeySet", "mnuPadActivity", "mnuAbout", "mnuTempL1"}) {
        rig.log.clear();
        rig.windows.while_popup = [&](forms::MenuItem& root) {
            menu_open_in_popup = rig.form.MenuOpen;
            click_both();
            if (std::string(item) != "mnuTempL1") root.Find(item)->Choose();
        };
        rig.form.TrayCallback(kWmRButtonDown);
        EXPECT_EQ(menu_open_in_popup, True) << item;
        EXPECT_EQ(rig.state.PadActive, True) << item;
        EXPECT_EQ(rig.form.MenuOpen, False) << item;
        EXPECT_EQ(rig.form.DialogOpen, False) << item;
        const Log popup = {"foreground", "doevents", "popup mnuPop"};
        const Log with_dialog = {"foreground", "doevents", "popup mnuPop", "doevents", "modal", "modal closed"};
        EXPECT_EQ(rig.log, std::string(item) == "mnuTempL1" ? popup : with_dialog) << item;
    }
    EXPECT_EQ(menu_open_in_dialog, False);
    EXPECT_EQ(dialog_open_in_dialog, True);
}

TEST_F(TrayMenu, EachDialogIsMadeOnceAndReused) {
    int keys = 0, general = 0, about = 0;
    rig.form.SetDialogs(rig.Factory(keys), rig.Factory(general), rig.Factory(about));
    for (int round = 0; round < 2; ++round) {
        rig.Item("mnuKeySet").Choose();
        rig.Item("mnuPadActivity").Choose();
        rig.Item("mnuAbout").Choose();
    }
    EXPECT_EQ((std::vector<int>{keys, general, about}), (std::vector<int>{1, 1, 1}));
    const auto& shown = rig.windows.shown;
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0], shown[3]);
    EXPECT_EQ(shown[2], shown[5]);
    EXPECT_NE(shown[0], shown[1]);
}

TEST_F(TrayMenu, ADialogNotBuiltYetShowsNothing) {
    rig.Item("mnuAbout").Choose();
    EXPECT_EQ(rig.log, Log{"doevents"});
    EXPECT_EQ(rig.form.DialogOpen, False);
    rig.form.TrayCallback(kWmLButtonDown);
    EXPECT_EQ(rig.state.PadActive, False);
}

struct HelpCase {
    const char* system;
    uint32_t major_version;
    std::string folder;
    std::vector<std::string> files;
    Log expected;
};

// The old help file opens with the Windows help engine only where the engine still exists;
// otherwise the HTML help opens, and when it is missing too, nothing happens.
TEST_F(TrayMenu, HelpOpensTheOldHelpFileOnlyWhereTheEngineIsElseTheHtmlHelp) {
    const std::string hlp = "C:\\Tools\\PWSTD.HLP", html = "C:\\Tools\\help\\index.html";
    const HelpCase cases[] = {
        {"XP", 5, "C:\\Tools", {hlp, html}, {"help " + hlp}},
        {"7", 6, "C:\\Tools", {hlp}, {"help " + hlp}},
        {"7 without PWSTD.HLP", 6, "C:\\Tools", {html}, {"open " + html}},
        {"10", 10, "C:\\Tools", {hlp, html}, {"open " + html}},
        {"11", 10, "C:\\Tools", {html}, {"open " + html}},
        {"unknown", 0, "C:\\Tools", {hlp, html}, {"open " + html}},
        {"10 without any help", 10, "C:\\Tools", {hlp}, {}},
        {"7 without any help", 6, "C:\\Tools", {}, {}},
        {"a drive's root", 10, "D:\\", {"D:\\help\\index.html"}, {"open D:\\help\\index.html"}},
        {"a folder named in Korean and Japanese", 10, "C:\\게임\\パッド",
         {"C:\\게임\\パッド\\help\\index.html"}, {"open C:\\게임\\パッド\\help\\index.html"}},
    };
    for (const HelpCase& c : cases) {
        SCOPED_TRACE(c.system);
        rig.log.clear();
        rig.shell.major_version = c.major_version;
        rig.shell.folder = c.folder;
        rig.shell.files = {c.files.begin(), c.files.end()};
        rig.Item("mnuHelp").Choose();
        EXPECT_EQ(rig.log, c.expected);
        EXPECT_EQ(rig.form.DialogOpen, False);
        EXPECT_EQ(rig.form.MenuOpen, False);
    }
}

TEST_F(TrayMenu, TaskbarCreatedAddsTheIconInTheStateInForce) {
    rig.state.IconFrame = 2;
    rig.form.TaskbarCreated();
    rig.form.TogglePadActive();
    rig.log.clear();
    rig.form.TaskbarCreated();
    EXPECT_EQ(rig.tray.calls[1].message, TrayMessage::Add);
    EXPECT_EQ(rig.tray.calls[1].record.flags, 7u);
    EXPECT_EQ(rig.tray.calls[1].record.icon, 2);
    EXPECT_EQ(rig.tray.calls[1].record.tip, "動作中・・・");
    EXPECT_EQ(rig.log, Log{"tray add 7 0 停止中・・・"});
}

}  // namespace
}  // namespace pwstd::test
