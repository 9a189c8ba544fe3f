// What of a form's window depends on its resolution: the window's size and its controls' places
// (twips), their fonts (points), a borderless window's shape (pixels of a 96-dpi display) and the
// icons. The window is laid out at the system's resolution when it is created, and again when it
// moves onto a display of another scale: the program is aware of each display's scale, so the
// system then tells the window the new resolution (WM_DPICHANGED) instead of stretching it.
#include "platform/win32/renderer/win_form_window.h"
#include "platform/win32/renderer/win_window_shape.h"

namespace pwstd {

// An icon of the size the system gives `system_metric` (SM_CXICON, SM_CXSMICON) at its own
// resolution, taken to the window's. Each size has an image of its own in the resources.
HICON FormWindow::LoadIconSized(int resource, int system_metric) {
    const int pixels = MulDiv(GetSystemMetrics(system_metric), dpi_.X, ScreenDpi::Query().X);
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

void FormWindow::Rescale(ScreenDpi dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
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
