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

class AboutWindowTest : public ::testing::Test {
protected:
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

    OwnerWindow owner;
    WinWindowHost host{owner.Handle(), kProgramIconResource};
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
             RECT client{}, frame{};
             GetClientRect(Window(), &client);
             GetWindowRect(Window(), &frame);
             EXPECT_EQ(client.right, 352);
             EXPECT_EQ(client.bottom, 150);
             EXPECT_EQ(frame.right - frame.left, 352) << "no border";
             EXPECT_FALSE(HasStyle(Window(), WS_CAPTION));
             EXPECT_EQ(GetWindowRgn(Window(), region), COMPLEXREGION);
             EXPECT_FALSE(PtInRegion(region, 2, 140));
             EXPECT_FALSE(PtInRegion(region, 349, 2));
             EXPECT_TRUE(PtInRegion(region, 75, 75));
             EXPECT_TRUE(PtInRegion(region, 275, 75));
             EXPECT_TRUE(PtInRegion(region, 175, 50));
             // The outline is what the window paints: the gray edge at the left of the left disc.
             HDC dc = GetDC(Window());
             const COLORREF edge = GetPixel(dc, 2, 75), inner = GetPixel(dc, 4, 75);
             ReleaseDC(Window(), dc);
             EXPECT_TRUE(edge == RGB(128, 128, 128) || inner == RGB(160, 160, 160))
                 << std::hex << edge << " " << inner;
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
        KeepsOpen("click on the title", [this] { ClickAt(100, 20); }),
        KeepsOpen("click on the credit", [this] { ClickAt(200, 64); }),
        KeepsOpen("click on the icon", [this] { ClickAt(74, 74); }),
        KeepsOpen("click in the corner outside the shape", [this] { ClickAt(3, 146); }),
        KeepsOpen("click between the discs below the bar", [this] { ClickAt(175, 130); }),
        Closes("click on the surface", [this] { ClickAt(20, 100); }),
    }));
}

}  // namespace
}  // namespace pwstd::test
