// The real PwStd.exe under Wine with templates that follow the program in front or the pad's
// template button: stand-in games come to the front, and the keys, the tray tip and the settings
// file show what the program made of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/e2e/app_session.h"
#include "tests/e2e/dialog_driver.h"

namespace pwstd::wintest {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// A copy of the stand-in game under the file name `name`, running, with its window.
class Game {
public:
    Game(const TempDir& dir, const std::wstring& name) {
        const std::wstring path = dir.file(name);
        CopyFileW((TestBinDir() + L"\\pwstd_front_window.exe").c_str(), path.c_str(), FALSE);
        process_ = Process::Start(path);
        WaitFor([&] { return (window_ = FindWindowOf(process_.pid())) != nullptr; }, seconds(10));
    }
    HWND window() const { return window_; }
    void ComeToFront() const { PostMessageW(window_, WM_APP, 0, 0); }

private:
    static HWND FindWindowOf(uint32_t pid) {
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"PwStdFrontWindow", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == pid) return window;
        }
        return nullptr;
    }
    Process process_;
    HWND window_ = nullptr;
};

// The pad holds the buttons of `mask` for a few polls, then lets go; the keys that came of it.
std::string Press(AppSession& app, uint32_t mask) {
    const size_t before = app.keys().count();
    app.winmm().script({Held(4, mask), Idle(0)});
    std::this_thread::sleep_for(milliseconds(300));
    return KeyText(app.keys().keys(before));
}

// Button 1 pressed again and again until it sends `expected` (the template has switched), or 5 s.
std::string KeysOnceSwitched(AppSession& app, const std::string& expected) {
    std::string seen;
    WaitFor([&] { return (seen = Press(app, 1)) == expected; }, seconds(5), milliseconds(0));
    return seen;
}

std::string BefTemp(const AppSession& app) {
    return IniValue(ReadFileBytes(app.ini_path()), "Padwright Standard", "BefTemp");
}

TEST(AppTemplates, TheKeysFollowTheProgramInFrontAndTheNextStartTheHandsChoice) {
    TempDir games;
    AppSession app(Ini({"[Padwright Standard]", "AppSwitch=1", "Repeat=0", "Keyup=0", "StartTemp=2", "BefTemp=1",
                        "[KeySettei]", "Button1=65", "[KeySetteiTemp1]", "Button1=66", "[KeySetteiTemp3]",
                        "Button1=67", "[AppTemplates]", "GAME.exe=3"}));
    app.Start();
    EXPECT_EQ(Press(app, 1), "+66 -66");

    Game game(games, L"game.exe");
    ASSERT_NE(game.window(), nullptr);
    EXPECT_EQ(KeysOnceSwitched(app, "+67 -67"), "+67 -67");
    // A program without an entry: the template chosen at start-up comes back.
    Game notes(games, L"notes.exe");
    EXPECT_EQ(KeysOnceSwitched(app, "+66 -66"), "+66 -66");
    game.ComeToFront();
    EXPECT_EQ(KeysOnceSwitched(app, "+67 -67"), "+67 -67");
    EXPECT_EQ(BefTemp(app), "1") << "automatic switches are not remembered";

    // By hand while the game is in front: it holds when the game comes back, until another
    // program comes; the next start takes it.
    ASSERT_TRUE(app.ChooseTemplate(0));
    EXPECT_EQ(Press(app, 1), "+65 -65");
    EXPECT_EQ(BefTemp(app), "0");
    game.ComeToFront();
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(Press(app, 1), "+65 -65");
    notes.ComeToFront();
    std::this_thread::sleep_for(milliseconds(300));  // two processes: the order is theirs otherwise
    game.ComeToFront();
    EXPECT_EQ(KeysOnceSwitched(app, "+67 -67"), "+67 -67");
    EXPECT_EQ(BefTemp(app), "0");
}

TEST(AppTemplates, ThePadButtonSendsNoKeyAndMovesToTheNextTemplateAsTheMenuDoes) {
    AppSession app(Ini({"[Padwright Standard]", "TemplateButton=2", "Repeat=0", "Keyup=0", "StartTemp=2",
                        "BefTemp=9", "[KeySettei]", "Button1=65", "Button2=66", "[KeySetteiTemp10]", "Button1=70",
                        "Button2=71"}));
    app.Start();
    const size_t from = app.tray().count();
    EXPECT_EQ(Press(app, 2), "");
    EXPECT_TRUE(WaitFor([&] { return BefTemp(app) == "10"; }, seconds(5))) << BefTemp(app);
    EXPECT_EQ(Press(app, 1), "+70 -70");
    EXPECT_GE(app.WaitTray(from, [](const TrayCall& c) {
        const std::string name = "FPS\nテンプレート１０";
        return c.tip.size() > name.size() && c.tip.substr(c.tip.size() - name.size()) == name;
    }), 0);
    EXPECT_EQ(Press(app, 2), "");
    EXPECT_TRUE(WaitFor([&] { return BefTemp(app) == "0"; }, seconds(5))) << BefTemp(app);
    EXPECT_EQ(Press(app, 1), "+65 -65");
}

// The list box's lines, as the user reads them.
std::vector<std::string> Lines(HWND list) {
    std::vector<std::string> lines;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line.data()));
        lines.push_back(Narrow(line));
    }
    return lines;
}

// A click on the line, as the mouse gives it to the list box.
void ClickLine(HWND list, const std::string& line) {
    const std::vector<std::string> lines = Lines(list);
    const auto it = std::find(lines.begin(), lines.end(), line);
    ASSERT_NE(it, lines.end()) << line;
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(it - lines.begin()), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
}

TEST(AppTemplates, TheDialogListsAssignsAndRemoves) {
    TempDir games;
    AppSession app(Ini({"[Padwright Standard]", "AppSwitch=1", "[AppTemplates]", "old.exe=12"}));
    app.Start();
    Game game(games, L"game.exe");
    ASSERT_NE(game.window(), nullptr);
    ASSERT_TRUE(app.ChooseTemplate(4));
    ASSERT_TRUE(app.ChooseTemplate(11));  // past the separator: "アプリ別テンプレート..."
    const HWND dialog = app.WaitDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), "Padwright Standard プロパティ－アプリ別テンプレート");
    const std::vector<HWND> lists = Children(dialog, L"LISTBOX");
    ASSERT_EQ(lists.size(), 1u);
    const HWND list = lists[0];
    const std::vector<std::string> lines = Lines(list);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "game.exe\t－"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "old.exe\t－"), 1);

    const HWND assign = ChildWithText(dialog, L"BUTTON", "今のテンプレートを割り当てる");
    const HWND remove = ChildWithText(dialog, L"BUTTON", "割り当てを外す");
    ASSERT_TRUE(assign && remove);
    EXPECT_FALSE(IsWindowEnabled(assign));
    ClickLine(list, "game.exe\t－");
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(assign) != FALSE; }, seconds(5)));
    PostMessageW(assign, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IniValue(ReadFileBytes(app.ini_path()), "AppTemplates", "game.exe") == "4"; },
                        seconds(5)));
    EXPECT_TRUE(WaitFor([&] {
        const auto now = Lines(list);
        return std::count(now.begin(), now.end(), "game.exe\tテンプレート４") == 1;
    }, seconds(5)));

    ClickLine(list, "old.exe\t－");
    std::this_thread::sleep_for(milliseconds(200));
    PostMessageW(remove, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return IniValue(ReadFileBytes(app.ini_path()), "AppTemplates", "old.exe") == "(none)"; },
                        seconds(5)));
    EXPECT_TRUE(WaitFor([&] {
        const auto now = Lines(list);
        return std::count(now.begin(), now.end(), "old.exe\t－") == 0;
    }, seconds(5)));

    PostMessageW(ChildWithText(dialog, L"BUTTON", "閉じる"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitClosed(dialog));
}

// A program whose name code page 932 cannot hold: assigned in the dialog, it is found again when
// it comes back to the front.
TEST(AppTemplates, AProgramNamedInAnotherScriptGetsItsTemplateBack) {
    TempDir games;
    AppSession app(Ini({"[Padwright Standard]", "AppSwitch=1", "Repeat=0", "Keyup=0", "[KeySettei]", "Button1=65",
                        "[KeySetteiTemp4]", "Button1=68"}));
    app.Start();
    Game game(games, L"게임.exe");
    ASSERT_NE(game.window(), nullptr);
    ASSERT_TRUE(app.ChooseTemplate(4));
    ASSERT_TRUE(app.ChooseTemplate(11));
    const HWND dialog = app.WaitDialog();
    ASSERT_NE(dialog, nullptr);
    const std::vector<HWND> lists = Children(dialog, L"LISTBOX");
    ASSERT_EQ(lists.size(), 1u);
    ClickLine(lists[0], "게임.exe\t－");
    const HWND assign = ChildWithText(dialog, L"BUTTON", "今のテンプレートを割り当てる");
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(assign) != FALSE; }, seconds(5)));
    PostMessageW(assign, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] {
        return IniValue(ReadFileBytes(app.ini_path()), "AppTemplates", "<AC8C><C784>.exe") == "4";
    }, seconds(5))) << ReadFileBytes(app.ini_path());
    PostMessageW(ChildWithText(dialog, L"BUTTON", "閉じる"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitClosed(dialog));

    // The custom map by hand, another program, then the game again.
    ASSERT_TRUE(app.ChooseTemplate(0));
    EXPECT_EQ(Press(app, 1), "+65 -65");
    Game notes(games, L"notes.exe");
    ASSERT_NE(notes.window(), nullptr);
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(Press(app, 1), "+65 -65");
    game.ComeToFront();
    EXPECT_EQ(KeysOnceSwitched(app, "+68 -68"), "+68 -68");
}

}  // namespace
}  // namespace pwstd::wintest
