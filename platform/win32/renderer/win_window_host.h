#pragma once
// The forms' window host on Windows: modal forms as native windows with standard controls, popup
// menus, and the pending-messages pass.
#include <windows.h>

#include <vector>

#include "forms/host.h"
#include "platform/win32/renderer/win_metrics.h"

namespace pwstd {

class FormWindow;

class WinWindowHost final : public forms::WindowHost {
public:
    // `menu_owner`: the program's hidden window, which owns the popup menus (the caller brings it
    // to the foreground first). `icon_resource`: the program's icon in this executable, shown in
    // the title bars of forms that show an icon. `dpi_source`: the resolution of the display a form's
    // window opens on.
    explicit WinWindowHost(HWND menu_owner, int icon_resource = 1, DpiSource dpi_source = &WindowDpi);

    // Loads the form, creates its window centred on the screen and laid out for that display,
    // without an owner, and runs a modal message loop until the form unloads; then destroys the
    // window. The messages of the thread's other windows (the hidden window's tray callbacks) keep
    // being dispatched.
    void ShowModal(forms::Form& form) override;
    // TrackPopupMenu at the mouse position, left button; the chosen item's handler runs after the
    // menu has closed and before this returns.
    void ShowPopup(forms::MenuItem& root) override;
    void DoEvents() override;

    // The window of the innermost form being shown, or nullptr.
    HWND ActiveFormWindow() const;

private:
    void Dispatch(MSG& message);

    HWND menu_owner_;
    int icon_resource_;
    DpiSource dpi_source_;
    HINSTANCE instance_;
    std::vector<FormWindow*> shown_;  // forms being shown, innermost last
};

}  // namespace pwstd
