// The native renderer under a real window system: native input reaching the model, model changes
// reaching the native controls, key boxes and the dialog keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "tests/renderer_win32/form_window_fixture.h"

namespace pwstd::test {
namespace {

// The log entries added since `mark`.
Strings Since(const SampleForm& form, size_t mark) { return Strings(form.log.begin() + static_cast<long>(mark), form.log.end()); }

TEST_F(FormWindowTest, ForwardsNativeInputToTheModelAndPutsModelChangesOntoTheControls) {
    const bool finished = Show({
        WaitForWindow(),
        {"native scrolling",
         [this] {
             struct Row {
                 WORD code, position;
                 Strings events;
                 int value;
             };
             // From 6, as Form_Load left it.
             const Row rows[] = {
                 {SB_LINERIGHT, 0, {"HScroll1_Change 7"}, 7},
                 {SB_PAGELEFT, 0, {"HScroll1_Change 1"}, 1},
                 {SB_THUMBTRACK, 9, {"HScroll1_Scroll 9"}, 9},
                 {SB_THUMBPOSITION, 9, {"HScroll1_Change 9"}, 9},
                 {SB_ENDSCROLL, 0, {}, 9},
                 {SB_RIGHT, 0, {"HScroll1_Change 30"}, 30},
                 {SB_LINERIGHT, 0, {}, 30},
                 {SB_LEFT, 0, {"HScroll1_Change 1"}, 1},
             };
             HWND bar = Native("HScroll1");
             for (const Row& row : rows) {
                 const size_t mark = form.log.size();
                 SendMessageW(Window(), WM_HSCROLL, MAKEWPARAM(row.code, row.position), reinterpret_cast<LPARAM>(bar));
                 EXPECT_EQ(Since(form, mark), row.events) << "scroll code " << row.code;
                 EXPECT_EQ(form.Find("HScroll1").Value(), row.value) << "scroll code " << row.code;
                 EXPECT_EQ(GetScrollPos(bar, SB_CTL), row.value) << "scroll code " << row.code;
             }
             return true;
         }},
        {"native clicks",
         [this] {
             const size_t mark = form.log.size();
             SendMessageW(Native("Check1"), BM_CLICK, 0, 0);
             EXPECT_EQ(form.Find("Check1").Value(), 0);
             EXPECT_EQ(SendMessageW(Native("Check1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
             SendMessageW(Native("Option1", 1), BM_CLICK, 0, 0);
             EXPECT_EQ(form.Find("Option1", 1).Value(), 1);
             EXPECT_EQ(SendMessageW(Native("Option1", 0), BM_GETCHECK, 0, 0), BST_UNCHECKED);
             EXPECT_EQ(SendMessageW(Native("Option1", 1), BM_GETCHECK, 0, 0), BST_CHECKED);
             EXPECT_TRUE(HasStyle(Native("Option1", 1), WS_TABSTOP));
             EXPECT_FALSE(HasStyle(Native("Option1", 0), WS_TABSTOP));
             EXPECT_EQ(Since(form, mark), (Strings{"Check1_Click", "Option1_Click 1"}));
             EXPECT_EQ(form.Focused(), &form.Find("Option1", 1)) << "a click moves the focus";
             return true;
         }},
        {"typing in an ordinary text box",
         [this] {
             SetWindowTextW(Native("Text2"), L"テンプレ");
             SendMessageW(Native("Text2"), EM_SETSEL, 4, 4);
             SendMessageW(Native("Text2"), WM_CHAR, L'A', 0);
             EXPECT_EQ(form.Find("Text2").Caption(), "テンプレA");
             DWORD caret = 0;
             SendMessageW(Native("Text2"), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
             EXPECT_EQ(caret, 5u) << "the model's echo of the typed text leaves the caret alone";
             return true;
         }},
        {"model changes",
         [this] {
             struct Row {
                 const char* what;
                 std::function<void()> change;
                 std::function<bool()> shown;
             };
             forms::Control& bar = form.Find("HScroll1");
             const Row rows[] = {
                 {"label caption", [this] { form.Find("Label1").SetCaption("感度－4001"); },
                  [this] { return TextOf(Native("Label1")) == L"感度－4001"; }},
                 {"text", [this] { form.Find("Text2").SetCaption("No-1"); },
                  [this] { return TextOf(Native("Text2")) == L"No-1"; }},
                 {"scroll value", [&bar] { bar.SetValue(20); },
                  [this] { return GetScrollPos(Native("HScroll1"), SB_CTL) == 20; }},
                 {"scroll range", [&bar] { bar.SetMax(10); },
                  [this] {
                      int low = 0, high = 0;
                      GetScrollRange(Native("HScroll1"), SB_CTL, &low, &high);
                      return low == 1 && high == 10 && GetScrollPos(Native("HScroll1"), SB_CTL) == 10;
                  }},
                 {"check", [this] { form.Find("Check1").SetValue(1); },
                  [this] { return SendMessageW(Native("Check1"), BM_GETCHECK, 0, 0) == BST_CHECKED; }},
                 {"option", [this] { form.Find("Option1", 0).SetValue(1); },
                  [this] {
                      return SendMessageW(Native("Option1", 0), BM_GETCHECK, 0, 0) == BST_CHECKED &&
                             SendMessageW(Native("Option1", 1), BM_GETCHECK, 0, 0) == BST_UNCHECKED;
                  }},
                 {"disabled", [this] { form.Find("Check1").SetEnabled(false); },
                  [this] { return !IsWindowEnabled(Native("Check1")); }},
             };
             for (const Row& row : rows) {
                 row.change();
                 EXPECT_TRUE(row.shown()) << row.what;
             }
             return true;
         }},
        {"focus set by the program, colours",
         [this] {
             form.SetFocus(form.Find("Text1"));
             EXPECT_EQ(GetFocus(), Native("Text1"));
             EXPECT_EQ(BackgroundOf(Window(), Native("Text1"), WM_CTLCOLOREDIT), RGB(255, 255, 0));
             EXPECT_EQ(BackgroundOf(Window(), Native("Text2"), WM_CTLCOLOREDIT), GetSysColor(COLOR_WINDOW));
             // A read-only box paints through WM_CTLCOLORSTATIC, in a text box's colour too.
             EXPECT_EQ(BackgroundOf(Window(), Native("Text3"), WM_CTLCOLORSTATIC), GetSysColor(COLOR_WINDOW));
             // A dark high-contrast theme's white text: black on the yellow, the system's on its own
             // background.
             const int element = COLOR_WINDOWTEXT;
             const COLORREF saved = GetSysColor(element), white = RGB(255, 255, 255);
             SetSysColors(1, &element, &white);
             const COLORREF on_yellow = TextColorOf(Window(), Native("Text1"), WM_CTLCOLOREDIT);
             const COLORREF on_window = TextColorOf(Window(), Native("Text2"), WM_CTLCOLOREDIT);
             SetSysColors(1, &element, &saved);
             EXPECT_EQ(on_yellow, RGB(0, 0, 0));
             EXPECT_EQ(on_window, white);
             return true;
         }},
        {"focus moved natively",
         [this] {
             SetFocus(Native("Text2"));
             EXPECT_EQ(form.Focused(), &form.Find("Text2"));
             EXPECT_EQ(BackgroundOf(Window(), Native("Text1"), WM_CTLCOLOREDIT), GetSysColor(COLOR_WINDOW));
             return true;
         }},
        {"the timer ticks", [this] { return form.ticks >= 2; }},
        {"mouse on the form",
         [this] {
             SendMessageW(Window(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(10, 20));
             const std::string expected = "Form_MouseDown 2/1/" + std::to_string(10 * 1440 / DpiX()) + "/" +
                                          std::to_string(20 * 1440 / DpiX());
             EXPECT_EQ(form.Last(), expected);
             return true;
         }},
        {"close", [this] {
             form.Unload();
             return true;
         }},
    });
    EXPECT_TRUE(finished);
}

TEST_F(FormWindowTest, KeyBoxTakesEveryKeyButTabAndShowsOnlyWhatTheProgramSets) {
    const std::vector<std::pair<BYTE, std::string>> keys = {
        {VK_SHIFT, "Text1_KeyDown 16/1"}, {'A', "Text1_KeyDown 65/0"}, {VK_RETURN, "Text1_KeyDown 13/0"},
        {VK_ESCAPE, "Text1_KeyDown 27/0"}, {VK_F10, "Text1_KeyDown 121/0"},
        {VK_DELETE, "Text1_KeyDown 46/0"},
    };
    std::vector<UiScript::Step> steps = {
        WaitForWindow(),
        {"focus the key box", [this] {
             form.SetFocus(form.Find("Text1"));
             return GetFocus() == Native("Text1");
         }},
    };
    for (const auto& [key, expected] : keys) {
        steps.push_back(Expect(
            expected, [key = key] { PressKey(key); },
            [this, expected = expected] { return std::find(form.log.begin(), form.log.end(), expected) != form.log.end(); }));
        // The key's character, if any, arrives after its key-down: give it the time to show.
        steps.push_back({"settle", [started = DWORD{0}]() mutable {
                             if (started == 0) started = GetTickCount();
                             return GetTickCount() - started > 60;
                         }});
        steps.push_back({"the box shows the code only", [this, key = key] {
                             EXPECT_EQ(TextOf(Native("Text1")), std::to_wstring(key));
                             EXPECT_EQ(GetFocus(), Native("Text1"));
                             return true;
                         }});
    }
    steps.push_back({"still open", [this] {
                         EXPECT_TRUE(form.Loaded()) << "Enter and Esc in the key box close nothing";
                         return true;
                     }});
    steps.push_back(Expect(
        "Tab leaves the box", [] { PressKey(VK_TAB); }, [this] { return form.Focused() == &form.Find("Text2"); }));
    steps.push_back({"close", [this] {
                         form.Unload();
                         return true;
                     }});
    const bool finished = Show(std::move(steps));
    EXPECT_TRUE(finished);
    Strings key_downs;
    for (const std::string& entry : form.log) {
        if (entry.rfind("Text1_KeyDown", 0) == 0) key_downs.push_back(entry);
    }
    Strings expected_downs;
    for (const auto& [key, expected] : keys) expected_downs.push_back(expected);
    EXPECT_EQ(key_downs, expected_downs) << "each key once, Tab not at all";
}

TEST_F(FormWindowTest, DialogKeysAndTheCloseBoxCloseTheForm) {
    struct Row {
        const char* what;
        const char* focus;
        int focus_index;
        std::function<void(HWND window)> act;
        Strings events;
    };
    const Row rows[] = {
        {"Enter presses the default button", "Text2", -1, [](HWND) { PressKey(VK_RETURN); },
         {"Command2_Click 0", "Form_QueryUnload 1"}},
        {"Enter presses the focused button", "Command2", 1, [](HWND) { PressKey(VK_RETURN); },
         {"Command2_Click 1", "Form_QueryUnload 1"}},
        {"Esc presses the cancel button", "HScroll1", -1, [](HWND) { PressKey(VK_ESCAPE); },
         {"Command2_Click 1", "Form_QueryUnload 1"}},
        {"the close box", "Check1", -1, [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); },
         {"Form_QueryUnload 0"}},
    };
    for (const Row& row : rows) {
        SampleForm& sample = form;
        const bool finished = Show({
            WaitForWindow(),
            {"focus", [&] {
                 sample.SetFocus(sample.Find(row.focus, row.focus_index));
                 return GetFocus() == Native(row.focus, row.focus_index);
             }},
            {"act", [&] {
                 row.act(Window());
                 return true;
             }},
        });
        EXPECT_TRUE(finished) << row.what;
        EXPECT_EQ(sample.log, row.events) << row.what;
        EXPECT_FALSE(IsWindow(shown)) << row.what;
    }
}

}  // namespace
}  // namespace pwstd::test
