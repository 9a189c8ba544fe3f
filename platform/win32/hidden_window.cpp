#include "platform/win32/hidden_window.h"

#include "platform/win32/resources/resource_ids.h"

namespace pwstd {

namespace {
constexpr wchar_t kClassName[] = L"PwStdResident";
}

HiddenWindow::HiddenWindow(HINSTANCE instance)
    : instance_(instance), taskbar_created_(RegisterWindowMessageW(L"TaskbarCreated")) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &HiddenWindow::Procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PWSTD));
    window_class.lpszClassName = kClassName;
    RegisterClassExW(&window_class);
    // WS_EX_TOOLWINDOW keeps it off the task bar and out of Alt+Tab should anything ever show it.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"PwStd", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
    // Run elevated, the program would otherwise never hear the shell's "TaskbarCreated": the
    // system keeps messages from a less privileged process (the shell) away from its windows.
    if (window_ && taskbar_created_ != 0)
        ChangeWindowMessageFilterEx(window_, taskbar_created_, MSGFLT_ALLOW, nullptr);
}

HiddenWindow::~HiddenWindow() {
    if (window_) {
        // Detach first: no handler may run on an object that is going away.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    UnregisterClassW(kClassName, instance_);
}

LRESULT CALLBACK HiddenWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        auto* self = static_cast<HiddenWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HiddenWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wparam, lparam);
    }
    return self->Handle(message, wparam, lparam);
}

LRESULT HiddenWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == taskbar_created_ && taskbar_created_ != 0) {
        if (handlers_.taskbar_created) handlers_.taskbar_created();
        return 0;
    }
    switch (message) {
        case kTrayCallbackMessage:
            // The shell puts the mouse message into the low word of lParam.
            if (handlers_.tray) handlers_.tray(LOWORD(lparam));
            return 0;
        case kPollRateMessage:
            if (handlers_.poll_rate) handlers_.poll_rate();
            return 0;
        case kTemplateButtonMessage:
            if (handlers_.template_button) handlers_.template_button();
            return 0;
        case WM_TIMER:
            if (wparam != kTrayRetryTimerId)
                return DefWindowProcW(window_, message, wparam, lparam);
            if (handlers_.tray_retry) handlers_.tray_retry();
            return 0;
        case WM_DPICHANGED:
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            // Maybe another scale or another primary display. The window itself is never shown.
            if (handlers_.display_changed) handlers_.display_changed();
            return 0;
        case WM_DEVICECHANGE:
            if (handlers_.device_changed) handlers_.device_changed();
            return TRUE;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The session really ends: stop the timer before the system ends the process.
            if (wparam) Unload();
            // An installer's restart manager asks the program to go, not the session: end
            // completely rather than stay on without a timer or an icon.
            if (wparam && (lparam & ENDSESSION_CLOSEAPP) != 0) DestroyWindow(window_);
            return 0;
        case WM_CLOSE:
            // Closed from outside (a task manager's polite end): unload, then leave the loop.
            Unload();
            DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wparam, lparam);
    }
}

// The timer is stopped and its period released once, whichever route comes first.
void HiddenWindow::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (handlers_.unload) handlers_.unload();
}

}  // namespace pwstd
