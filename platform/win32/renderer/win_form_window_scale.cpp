// What of a form's window depends on its resolution: the window's size and its controls' places
// (twips), their fonts (points), a borderless window's shape (pixels of a 96-dpi display) and the
// icons. The window is laid out at the resolution of the display it opens on, and again when it
// moves onto a display of another scale: the program is aware of each display's scale, so the
// system then asks the window its size there (WM_GETDPISCALEDSIZE) and tells it the new resolution
// (WM_DPICHANGED) instead of stretching it.
#include "platform/win32/renderer/win_form_window.h"
#include "platform/win32/renderer/win_window_shape.h"

namespace pwstd {

// An icon of the size the system gives `system_metric` (SM_CXICON, SM_CXSMICON) at the window's
// resolution. Each size has an image of its own in the resources.
HICON FormWindow::LoadIconSized(int resource, int system_metric) {
    const int pixels = SystemMetricForDpi(system_metric, dpi_.X);
    // Not shared: the system's cache keeps one size of each resource.
    auto icon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(resource), IMAGE_ICON, pixels, pixels, 0));
    if (icon != nullptr) icons_.push_back(icon);
    return icon;
}

void FormWindow::ShowIcons() {
    std::vector<HICON> previous;
    previous.swap(icons_);
    const forms::FormSpec& desc = form_.Layout();
    if (desc.ShowIcon && desc.Border != forms::BorderStyle::None) {
        for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
            if (HICON icon = LoadIconSized(icon_resource_, metric)) {
                SendMessageW(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
            }
        }
    }
    for (const Native& native : natives_) {
        if (native.Window == nullptr || native.Control->kind() != forms::ControlKind::Image) continue;
        if (HICON icon = LoadIconSized(native.Control->layout().Picture, SM_CXICON)) {
            SendMessageW(native.Window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
    }
    for (HICON icon : previous) DestroyIcon(icon);  // shown nowhere any more
}

void FormWindow::ApplyShape() {
    // A borderless window may have an outline of its own: its region and outline image.
    if (form_.Layout().Border == forms::BorderStyle::None && form_.Shape() != nullptr) {
        ApplyWindowShape(window_, forms::Scaled(*form_.Shape(), dpi_.X));
    }
}

SIZE FormWindow::ClientSizeAt(ScreenDpi dpi) const {
    return {dpi.TwipsToPixelsX(form_.Layout().ClientWidth), dpi.TwipsToPixelsY(form_.Layout().ClientHeight)};
}

// Computed from the layout alone, never from the window's present size: moving to another display
// and back gives the very size the window had.
SIZE FormWindow::WindowSizeAt(ScreenDpi dpi) const {
    return WindowSizeForClient(ClientSizeAt(dpi), static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                               static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi.X);
}

// Gives the window the client area of the layout at its resolution, its left and top kept. The
// frame is measured on the window: whatever the system does with the frame at this scale (scaled
// with the display on Windows 10, the session's before), the client area comes out exact.
void FormWindow::FitToLayout() {
    const SIZE wanted = ClientSizeAt(dpi_);
    RECT outer{}, client{};
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &client);
    if (client.right == wanted.cx && client.bottom == wanted.cy) return;
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + wanted.cx - client.right,
                 outer.bottom - outer.top + wanted.cy - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::Rescale(ScreenDpi dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitToLayout();
    auto fonts = std::make_unique<FontSet>(form_.Layout().TextFont, dpi_);
    for (const Native& native : natives_) {
        if (native.Window == nullptr) continue;
        const RECT place = PlaceInClient(*native.Control);
        SetWindowPos(native.Window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(native.Window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts->For(native.Control->layout().TextFont)), TRUE);
    }
    fonts_ = std::move(fonts);  // the old fonts go once no control shows them
    ShowIcons();
    ApplyShape();
    InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace pwstd
