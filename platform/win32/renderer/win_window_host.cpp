#include "platform/win32/renderer/win_window_host.h"

#include "platform/win32/renderer/win_form_window.h"
#include "platform/win32/renderer/win_popup_menu.h"

namespace pwstd {

WinWindowHost::WinWindowHost(HWND menu_owner, int icon_resource, DpiSource dpi_source)
    : menu_owner_(menu_owner),
      icon_resource_(icon_resource),
      dpi_source_(dpi_source),
      instance_(GetModuleHandleW(nullptr)) {}

HWND WinWindowHost::ActiveFormWindow() const { return shown_.empty() ? nullptr : shown_.back()->Handle(); }

void WinWindowHost::ShowModal(forms::Form& form) {
    form.Load();
    if (!form.Loaded()) return;  // Form_Load closed it again
    FormWindow window(form, instance_, icon_resource_, dpi_source_);
    shown_.push_back(&window);
    window.Show();
    MSG message;
    while (!window.Closed()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the quit for the outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        Dispatch(message);
    }
    shown_.pop_back();
}

void WinWindowHost::ShowPopup(forms::MenuItem& root) {
    forms::MenuItem* chosen = nullptr;
    {
        PopupMenu menu(root);
        POINT at{};
        GetCursorPos(&at);
        const UINT command = static_cast<UINT>(TrackPopupMenu(menu.Handle(), TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_LEFTALIGN,
                                                              at.x, at.y, 0, menu_owner_, nullptr));
        // Lets the menu's owner leave the menu mode at once (the system's advice for menus of
        // windows in the background).
        PostMessageW(menu_owner_, WM_NULL, 0, 0);
        chosen = menu.ItemFor(command);
    }
    if (chosen != nullptr) chosen->Choose();
}

void WinWindowHost::DoEvents() {
    // Only what is pending now: a timer that keeps firing while its handlers run must not keep
    // this pass going for ever.
    const DWORD start = GetTickCount();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
        if (static_cast<LONG>(message.time - start) > 0) return;
    }
}

void WinWindowHost::Dispatch(MSG& message) {
    if (!shown_.empty() && shown_.back()->PreTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace pwstd
