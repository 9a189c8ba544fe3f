// The native renderer under a real window system: the window and controls created for a loaded
// form.
#include <gtest/gtest.h>
#include <windows.h>
#include <imm.h>

#include <cstdlib>

#include "tests/renderer_win32/form_window_fixture.h"

namespace pwstd::test {
namespace {

LOGFONTW FontOf(HWND native) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(native, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
    BITMAP image{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof image, &image);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return image.bmWidth;
}

TEST_F(FormWindowTest, CreatesEveryControlFromTheLoadedFormWithItsLayoutStylesAndFonts) {
    const bool finished = Show({
        WaitForWindow(),
        {"layout",
         [this] {
             RECT client{};
             GetClientRect(Window(), &client);
             EXPECT_EQ(client.right, Pixels(4800));
             EXPECT_EQ(client.bottom, Pixels(3600));
             EXPECT_EQ(GetWindow(Window(), GW_OWNER), nullptr);
             EXPECT_EQ(TextOf(Window()), L"見本フォーム");
             EXPECT_TRUE(HasStyle(Window(), WS_CAPTION | WS_SYSMENU));
             EXPECT_FALSE(StyleOf(Window()) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
             EXPECT_NE(SendMessageW(Window(), WM_GETICON, ICON_BIG, 0), 0);
             // Inside the frame: the frame's position plus its own.
             const RECT scroll = PlaceOf(Native("HScroll1"));
             EXPECT_EQ(scroll.left, Pixels(120 + 240));
             EXPECT_EQ(scroll.top, Pixels(120 + 480));
             EXPECT_EQ(scroll.right - scroll.left, Pixels(3500));
             return true;
         }},
        {"native classes and styles",
         [this] {
             struct Row {
                 const char* name;
                 int index;
                 const wchar_t* native_class;
                 LONG_PTR type_mask, type;
             };
             const Row rows[] = {
                 {"Frame1", -1, L"button", BS_TYPEMASK, BS_GROUPBOX},
                 {"HScroll1", -1, L"scrollbar", SBS_VERT, SBS_HORZ},
                 {"Option1", 0, L"button", BS_TYPEMASK, BS_AUTORADIOBUTTON},
                 {"Label1", -1, L"static", SS_TYPEMASK, SS_LEFT},
                 {"Check1", -1, L"button", BS_TYPEMASK, BS_CHECKBOX},
                 {"Text1", -1, L"edit", ES_READONLY, 0},
                 {"Text2", -1, L"edit", ES_READONLY, 0},
                 {"Text3", -1, L"edit", ES_READONLY, ES_READONLY},
                 {"Command2", 0, L"button", BS_TYPEMASK, BS_DEFPUSHBUTTON},
                 {"Command2", 1, L"button", BS_TYPEMASK, BS_PUSHBUTTON},
                 {"Image1", -1, L"static", SS_TYPEMASK, SS_ICON},
             };
             for (const Row& row : rows) {
                 HWND native = Native(row.name, row.index);
                 if (native == nullptr) {
                     ADD_FAILURE() << "no window for " << row.name;
                     continue;
                 }
                 EXPECT_EQ(ClassOf(native), row.native_class) << row.name;
                 EXPECT_EQ(StyleOf(native) & row.type_mask, row.type) << row.name;
             }
             EXPECT_NE(SendMessageW(Native("Image1"), STM_GETICON, 0, 0), 0);
             // Each frame's option buttons are one group; Tab reaches it at the selected one.
             EXPECT_TRUE(HasStyle(Native("Option1", 0), WS_GROUP | WS_TABSTOP));
             EXPECT_FALSE(StyleOf(Native("Option1", 1)) & (WS_GROUP | WS_TABSTOP));
             return true;
         }},
        {"state as loaded",
         [this] {
             // Form_Load moved the bar from 4 to 6 and filled the key box.
             EXPECT_EQ(GetScrollPos(Native("HScroll1"), SB_CTL), 6);
             int low = 0, high = 0;
             GetScrollRange(Native("HScroll1"), SB_CTL, &low, &high);
             EXPECT_EQ(low, 1);
             EXPECT_EQ(high, 30);
             EXPECT_EQ(TextOf(Native("Text1")), L"３８");
             EXPECT_EQ(SendMessageW(Native("Check1"), BM_GETCHECK, 0, 0), BST_CHECKED);
             EXPECT_EQ(GetFocus(), Native("HScroll1"));
             return true;
         }},
        {"fonts",
         [this] {
             LOGFONTW key_font{}, label_font{};
             GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Native("Text1"), WM_GETFONT, 0, 0)), sizeof key_font,
                        &key_font);
             GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Native("Label1"), WM_GETFONT, 0, 0)), sizeof label_font,
                        &label_font);
             EXPECT_EQ(std::wstring(key_font.lfFaceName), L"ＭＳ Ｐゴシック");
             EXPECT_EQ(key_font.lfWeight, FW_BOLD);
             HDC screen = GetDC(nullptr);
             EXPECT_EQ(key_font.lfHeight, -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72));
             ReleaseDC(nullptr, screen);
             NONCLIENTMETRICSW metrics{};
             metrics.cbSize = sizeof metrics;
             SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
             EXPECT_EQ(std::wstring(label_font.lfFaceName), metrics.lfMessageFont.lfFaceName);
             return true;
         }},
        {"moved onto displays of other scales, and back",
         [this] {
             const int dpi = DpiX();
             RECT frame{};
             GetWindowRect(Window(), &frame);
             const int width = frame.right - frame.left, height = frame.bottom - frame.top;
             const LONG message_font = FontOf(Native("Label1")).lfHeight;
             for (const int now : {dpi * 3 / 2, 2 * dpi, dpi}) {
                 SCOPED_TRACE(now);
                 // As the system moves it: it asks the size there, then suggests that size.
                 SIZE size{frame.right - frame.left, frame.bottom - frame.top};
                 EXPECT_TRUE(SendMessageW(Window(), WM_GETDPISCALEDSIZE, now, reinterpret_cast<LPARAM>(&size)));
                 RECT suggested{20, 30, 20 + size.cx, 30 + size.cy};
                 SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(now, now), reinterpret_cast<LPARAM>(&suggested));
                 GetWindowRect(Window(), &frame);
                 EXPECT_EQ(frame.left, 20);
                 EXPECT_EQ(frame.top, 30);
                 RECT client{};
                 GetClientRect(Window(), &client);
                 EXPECT_EQ(client.right, MulDiv(4800, now, 1440));
                 EXPECT_EQ(client.bottom, MulDiv(3600, now, 1440));
                 const RECT scroll = PlaceOf(Native("HScroll1"));
                 EXPECT_EQ(scroll.left, MulDiv(120 + 240, now, 1440));
                 EXPECT_EQ(scroll.top, MulDiv(120 + 480, now, 1440));
                 EXPECT_EQ(scroll.right - scroll.left, MulDiv(3500, now, 1440));
                 const RECT ok = PlaceOf(Native("Command2", 0));
                 EXPECT_EQ(ok.left, MulDiv(1680, now, 1440));
                 EXPECT_EQ(ok.bottom - ok.top, MulDiv(495, now, 1440));
                 EXPECT_EQ(FontOf(Native("Text1")).lfHeight, -MulDiv(12, now, 72));
                 EXPECT_EQ(FontOf(Native("Text1")).lfWeight, FW_BOLD);
                 EXPECT_EQ(FontOf(Native("Label1")).lfHeight, MulDiv(message_font, now, dpi));
                 const auto image = reinterpret_cast<HICON>(SendMessageW(Native("Image1"), STM_GETICON, 0, 0));
                 EXPECT_EQ(IconWidth(image), MulDiv(GetSystemMetrics(SM_CXICON), now, dpi));
             }
             // Asked at a scale of twice the session's, the size back home is the size it had.
             EXPECT_EQ(frame.right - frame.left, width);
             EXPECT_EQ(frame.bottom - frame.top, height);
             return true;
         }},
        {"input method contexts",
         [this] {
             // The key box and the read-only box take keys as their codes; an ordinary text box
             // keeps its input method.
             EXPECT_EQ(ImmGetContext(Native("Text1")), nullptr);
             EXPECT_EQ(ImmGetContext(Native("Text3")), nullptr);
             HIMC ordinary = ImmGetContext(Native("Text2"));
             EXPECT_NE(ordinary, nullptr);
             if (ordinary != nullptr) ImmReleaseContext(Native("Text2"), ordinary);
             return true;
         }},
        {"focus order",
         [this] {
             const std::vector<HWND> expected = {Native("HScroll1"), Native("Check1"),      Native("Text1"),
                                                 Native("Text2"),    Native("Option1", 0),   Native("Command2", 0),
                                                 Native("Command2", 1), Native("Text3"), Native("HScroll1")};
             std::vector<HWND> walked = {Native("HScroll1")};
             while (walked.size() < expected.size()) walked.push_back(GetNextDlgTabItem(Window(), walked.back(), FALSE));
             EXPECT_EQ(walked, expected);
             return true;
         }},
        {"close", [this] {
             form.Unload();
             return true;
         }},
    });
    EXPECT_TRUE(finished);
    EXPECT_FALSE(IsWindow(shown)) << "the window is destroyed once the form has unloaded";
    EXPECT_EQ(form.Observer(), nullptr);
}

// A window opened after the displays changed (a laptop docked, the scale changed without signing
// out) is laid out for the display it opens on, not at the session's scale.
TEST_F(FormWindowTest, OpensLaidOutAtTheScaleOfItsDisplay) {
    const int session = DpiX();
    for (const int display : {session == 96 ? 144 : 96, 2 * session}) {
        SCOPED_TRACE(display);
        opening_dpi = display;
        const bool finished = Show({
            WaitForWindow(),
            {"laid out at the display's scale",
             [this, display, session] {
                 RECT client{}, frame{}, work{};
                 GetClientRect(Window(), &client);
                 EXPECT_EQ(client.right, MulDiv(4800, display, 1440));
                 EXPECT_EQ(client.bottom, MulDiv(3600, display, 1440));
                 GetWindowRect(Window(), &frame);
                 SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
                 EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1) << "centred";
                 EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1) << "centred";
                 const RECT scroll = PlaceOf(Native("HScroll1"));
                 EXPECT_EQ(scroll.left, MulDiv(120 + 240, display, 1440));
                 EXPECT_EQ(FontOf(Native("Text1")).lfHeight, -MulDiv(12, display, 72));
                 const auto image = reinterpret_cast<HICON>(SendMessageW(Native("Image1"), STM_GETICON, 0, 0));
                 EXPECT_EQ(IconWidth(image), MulDiv(GetSystemMetrics(SM_CXICON), display, session));
                 form.Unload();
                 return true;
             }},
        });
        EXPECT_TRUE(finished);
    }
}

}  // namespace
}  // namespace pwstd::test
