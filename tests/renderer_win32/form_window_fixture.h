#pragma once
// The renderer's tests share this: the sample form shown modally through WinWindowHost, with a
// script driving it from inside its modal loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/renderer/win_window_host.h"
#include "tests/renderer_win32/native_probe.h"
#include "tests/renderer_win32/sample_form.h"
#include "tests/renderer_win32/ui_script.h"

namespace pwstd::test {

using Strings = std::vector<std::string>;

inline int DpiX() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

inline int Pixels(int twips) { return MulDiv(twips, DpiX(), 1440); }

class FormWindowTest : public ::testing::Test {
protected:
    ~FormWindowTest() override { opening_dpi = 0; }
    // The windows open at the display's resolution, or at `opening_dpi` when a test sets it: as on
    // a display of another scale than the session's.
    static inline int opening_dpi = 0;
    static ScreenDpi OpeningDpi(HWND window) {
        return opening_dpi > 0 ? ScreenDpi{opening_dpi, opening_dpi} : WindowDpi(window);
    }

    HWND Window() const { return host.ActiveFormWindow(); }
    HWND Native(const std::string& name, int index = -1) const {
        return NativeOf(Window(), form, form.Find(name, index));
    }
    // Runs the form modally under `steps`; true when every step completed.
    bool Show(std::vector<UiScript::Step> steps) {
        UiScript script(std::move(steps), [this] {
            if (form.Loaded()) form.Unload();
        });
        host.ShowModal(form);
        return script.Finished();
    }
    // Waits for the form's window to be shown and to have the keyboard.
    UiScript::Step WaitForWindow() {
        return {"the window shows", [this] {
                    shown = Window();
                    return shown != nullptr && IsWindowVisible(shown) && GetForegroundWindow() == shown;
                }};
    }
    // Runs `action` once, then waits until `done` holds.
    UiScript::Step Expect(std::string name, std::function<void()> action, std::function<bool()> done) {
        return {std::move(name), [action = std::move(action), done = std::move(done), started = false]() mutable {
                    if (!started) {
                        started = true;
                        action();
                    }
                    return done();
                }};
    }

    OwnerWindow owner;
    WinWindowHost host{owner.Handle(), kIconResource, &OpeningDpi};
    SampleForm form;
    HWND shown = nullptr;
};

}  // namespace pwstd::test
