// The about window shown modally through the window host, driven from inside its modal loop: its
// shape on screen, and what closes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/about/abox.h"
#include "platform/win32/renderer/win_window_host.h"
#include "tests/renderer_win32/native_probe.h"
#include "tests/renderer_win32/ui_script.h"

namespace pwstd::test {
namespace {

int ScreenDpiX() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The described pixels are those of a 96-dpi display: the window grows with the screen's scale.
int Px(int pixels, int dpi = ScreenDpiX()) { return MulDiv(pixels, dpi, 96); }

class AboutWindowTest : public ::testing::Test {
protected:
    ~AboutWindowTest() override { opening_dpi = 0; }
    // The window opens at the display's resolution, or at `opening_dpi` when a test sets it.
    static inline int opening_dpi = 0;
    static ScreenDpi OpeningDpi(HWND window) {
        return opening_dpi > 0 ? ScreenDpi{opening_dpi, opening_dpi} : WindowDpi(window);
    }

    HWND Window() const { return host.ActiveFormWindow(); }
    HWND Native(const std::string& name, int index = -1) const {
        return NativeOf(Window(), about, about.Find(name, index));
    }
    // Runs the window under `steps`; true when every step completed.
    bool Show(std::vector<UiScript::Step> steps) {
        UiScript script(std::move(steps), [this] {
            if (about.Loaded()) about.Unload();
        });
        host.ShowModal(about);
        return script.Finished();
    }
    // Runs the window under `steps`, the last of which is to close it; true when every step ran and
    // that last one closed it (the modal loop ends with it, so the script cannot finish itself).
    bool ShowUntilClosed(std::vector<UiScript::Step> steps) {
        closing_step_ran = false;
        last_action = "nothing";
        bool waited_too_long = false;
        steps.push_back({"the window closes", [] { return false; }});
        UiScript script(std::move(steps), [this, &waited_too_long] {
            waited_too_long = true;
            if (about.Loaded()) about.Unload();
        });
        host.ShowModal(about);
        if (!closing_step_ran) ADD_FAILURE() << "the window closed after \"" << last_action << "\"";
        return closing_step_ran && !waited_too_long && !about.Loaded();
    }
    UiScript::Step WaitForWindow() {
        return {"the window shows", [this] {
                    HWND window = Window();
                    return window != nullptr && IsWindowVisible(window) && GetForegroundWindow() == window &&
                           GetFocus() == Native("Command1");
                }};
    }
    // Runs `action`, then makes sure for `settle_ms` that the window stays open.
    UiScript::Step KeepsOpen(std::string name, std::function<void()> action, int settle_ms = 300) {
        return {name, [this, name, action = std::move(action), settle_ms, started = DWORD{0}]() mutable {
                    if (started == 0) {
                        last_action = name;
                        action();
                        started = GetTickCount();
                        return false;
                    }
                    if (!about.Loaded()) ADD_FAILURE() << name << " closed the window";
                    return !about.Loaded() || GetTickCount() - started >= static_cast<DWORD>(settle_ms);
                }};
    }
    // The last step of ShowUntilClosed: `action` is to close the window.
    UiScript::Step Closes(std::string name, std::function<void()> action) {
        return {std::move(name), [this, action = std::move(action)] {
                    closing_step_ran = true;
                    action();
                    return true;
                }};
    }
    // The screen point of a point of the window.
    POINT OnScreen(int x, int y) const {
        RECT frame{};
        GetWindowRect(Window(), &frame);
        return {frame.left + x, frame.top + y};
    }
    // A left press and release through the system's input at a point of the window.
    void ClickAt(int x, int y) const {
        const POINT at = OnScreen(x, y);
        SetCursorPos(at.x, at.y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    void Post(HWND window, UINT message, WPARAM wparam, LPARAM lparam) const {
        PostMessageW(window, message, wparam, lparam);
    }
    // The window at `dpi`: its client area and region, and every control inside the region, each
    // corner of it a pixel in, save the title's upper corners (its box reaches above the discs'
    // curve, its text does not).
    void ExpectShapedAt(int dpi) const {
        RECT client{};
        GetClientRect(Window(), &client);
        EXPECT_EQ(client.right, Px(352, dpi));
        EXPECT_EQ(client.bottom, Px(150, dpi));
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(Window(), region), COMPLEXREGION);
        for (const auto& control : about.Controls()) {
            const RECT r = PlaceOf(NativeOf(Window(), about, *control));
            const bool title = control->name() == "Label1" && control->index() == 0;
            const POINT corners[] = {{r.left + 1, r.bottom - 2}, {r.right - 2, r.bottom - 2},
                                     {r.left + 1, r.top + 1},    {r.right - 2, r.top + 1}};
            for (size_t i = 0; i < (title ? 2u : 4u); ++i) {
                EXPECT_TRUE(PtInRegion(region, corners[i].x, corners[i].y))
                    << control->name() << "(" << control->index() << ") corner " << i << " at " << dpi << " dpi";
            }
            if (title) {
                EXPECT_TRUE(PtInRegion(region, (r.left + r.right) / 2, r.top + 1)) << "title at " << dpi;
            }
        }
        DeleteObject(region);
    }
    // The outline is what the window paints: the gray edge at the left of the left disc.
    bool OutlineShownAt(int dpi) const {
        HDC dc = GetDC(Window());
        const COLORREF edge = GetPixel(dc, Px(2, dpi), Px(75, dpi)), inner = GetPixel(dc, Px(4, dpi), Px(75, dpi));
        ReleaseDC(Window(), dc);
        return edge == RGB(128, 128, 128) || inner == RGB(160, 160, 160);
    }

    OwnerWindow owner;
    WinWindowHost host{owner.Handle(), kProgramIconResource, &OpeningDpi};
    ABox about;
    bool closing_step_ran = false;
    std::string last_action;
};

TEST_F(AboutWindowTest, ShowsBorderlessInTheShapeOfTwoDiscsAndABar) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool finished = Show({
        WaitForWindow(),
        {"shape",
         [&] {
             RECT frame{};
             GetWindowRect(Window(), &frame);
             EXPECT_EQ(frame.right - frame.left, Px(352)) << "no border";
             EXPECT_FALSE(HasStyle(Window(), WS_CAPTION));
             ExpectShapedAt(ScreenDpiX());
             EXPECT_EQ(GetWindowRgn(Window(), region), COMPLEXREGION);
             EXPECT_FALSE(PtInRegion(region, Px(2), Px(140)));
             EXPECT_FALSE(PtInRegion(region, Px(349), Px(2)));
             EXPECT_TRUE(PtInRegion(region, Px(75), Px(75)));
             EXPECT_TRUE(PtInRegion(region, Px(275), Px(75)));
             EXPECT_TRUE(PtInRegion(region, Px(175), Px(50)));
             EXPECT_TRUE(OutlineShownAt(ScreenDpiX()));
             return true;
         }},
        {"moved onto a display of twice the scale",
         [&] {
             const int dpi = 2 * ScreenDpiX();
             // Without a border, the size it asks for there is its client area's.
             SIZE size{};
             EXPECT_TRUE(SendMessageW(Window(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
             EXPECT_EQ(size.cx, Px(352, dpi));
             EXPECT_EQ(size.cy, Px(150, dpi));
             RECT suggested{0, 0, size.cx, size.cy};
             SendMessageW(Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
             RECT frame{};
             GetWindowRect(Window(), &frame);
             EXPECT_TRUE(EqualRect(&frame, &suggested));
             ExpectShapedAt(dpi);
             return true;
         }},
        {"its outline drawn anew", [this] { return OutlineShownAt(2 * ScreenDpiX()); }},
        {"close", [this] {
             about.Unload();
             return true;
         }},
    });
    EXPECT_TRUE(finished);
    // The second opening shows the same shape.
    HRGN again = CreateRectRgn(0, 0, 0, 0);
    EXPECT_TRUE(Show({WaitForWindow(), {"shape again", [&] {
                                            EXPECT_EQ(GetWindowRgn(Window(), again), COMPLEXREGION);
                                            about.Unload();
                                            return true;
                                        }}}));
    EXPECT_TRUE(EqualRgn(region, again));
    DeleteObject(region);
    DeleteObject(again);
}

// Opened after the displays changed, it takes the scale of the display it opens on: its size,
// region, outline and controls alike.
TEST_F(AboutWindowTest, OpensInItsShapeAtTheScaleOfItsDisplay) {
    const int display = ScreenDpiX() == 96 ? 144 : 96;
    opening_dpi = display;
    EXPECT_TRUE(Show({
        WaitForWindow(),
        {"shape at the display's scale",
         [this, display] {
             ExpectShapedAt(display);
             return true;
         }},
        {"its outline at that scale", [this, display] { return OutlineShownAt(display); }},
        {"close", [this] {
             about.Unload();
             return true;
         }},
    }));
}

TEST_F(AboutWindowTest, EscDoesNothingAndEnterPressesOk) {
    EXPECT_TRUE(ShowUntilClosed({
        WaitForWindow(),
        KeepsOpen("Esc", [this] { Post(Native("Command1"), WM_KEYDOWN, VK_ESCAPE, 1); }),
        Closes("Enter", [this] { Post(Native("Command1"), WM_KEYDOWN, VK_RETURN, 1); }),
    }));
}

TEST_F(AboutWindowTest, OkClosesIt) {
    EXPECT_TRUE(ShowUntilClosed({WaitForWindow(), Closes("OK", [this] { Post(Native("Command1"), BM_CLICK, 0, 0); })}));
}

TEST_F(AboutWindowTest, APressOfAnyButtonOnTheSurfaceClosesIt) {
    const struct {
        UINT message;
        WPARAM keys;
        int x, y;
    } presses[] = {{WM_LBUTTONDOWN, MK_LBUTTON, 20, 100}, {WM_RBUTTONDOWN, MK_RBUTTON, 300, 60},
                   {WM_MBUTTONDOWN, MK_MBUTTON, 175, 80}};
    for (const auto& press : presses) {
        EXPECT_TRUE(ShowUntilClosed({WaitForWindow(), Closes("press", [this, press] {
                                         Post(Window(), press.message, press.keys, MAKELPARAM(press.x, press.y));
                                     })}))
            << std::hex << press.message;
    }
}

TEST_F(AboutWindowTest, ClicksOnTheTextsTheIconOrOutsideTheShapeDoNotCloseItButOnTheSurfaceDo) {
    EXPECT_TRUE(ShowUntilClosed({
        WaitForWindow(),
        KeepsOpen("click on the title", [this] { ClickAt(Px(100), Px(20)); }),
        KeepsOpen("click on the credit", [this] { ClickAt(Px(200), Px(64)); }),
        KeepsOpen("click on the icon", [this] { ClickAt(Px(74), Px(74)); }),
        KeepsOpen("click in the corner outside the shape", [this] { ClickAt(Px(3), Px(146)); }),
        KeepsOpen("click between the discs below the bar", [this] { ClickAt(Px(175), Px(130)); }),
        Closes("click on the surface", [this] { ClickAt(Px(20), Px(100)); }),
    }));
}

}  // namespace
}  // namespace pwstd::test
