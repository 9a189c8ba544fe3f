#pragma once
// The resident form's window: never shown, it is the address of the tray icon's callbacks and
// hears the broadcasts the program reacts to. A top-level window rather than a message-only one,
// because the shell's "TaskbarCreated" and the device broadcasts reach top-level windows only.
#include <windows.h>

#include <cstdint>
#include <functional>

namespace pwstd {

// The tray icon's callback message, as the icon is registered with it.
constexpr UINT kTrayCallbackMessage = 512;
// Posted by the poll timer's thread when a rate display waits (WinRateSignal).
constexpr UINT kPollRateMessage = WM_APP + 1;
// Posted by the poll timer's thread when the template button goes down (WinTemplateSignal).
constexpr UINT kTemplateButtonMessage = WM_APP + 21;
// The window timer that tries the tray icon again (WinRetryTimer).
constexpr UINT_PTR kTrayRetryTimerId = 1;

struct HiddenWindowHandlers {
    std::function<void(uint32_t mouse_message)> tray;  // message 512: the mouse message number
    std::function<void()> taskbar_created;             // the shell has started (again)
    std::function<void()> poll_rate;                   // a rate display waits
    std::function<void()> tray_retry;                  // the tray retry timer's tick
    std::function<void()> display_changed;             // WM_DPICHANGED, WM_DISPLAYCHANGE, WM_SETTINGCHANGE
    std::function<void()> device_changed;              // WM_DEVICECHANGE
    std::function<void()> template_button;             // the template button went down
    std::function<void()> unload;                      // the session ends, or the window is closed:
                                                       // the program's shutdown; called once at most
};

class HiddenWindow {
public:
    explicit HiddenWindow(HINSTANCE instance);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    HWND handle() const { return window_; }
    void SetHandlers(HiddenWindowHandlers handlers) { handlers_ = std::move(handlers); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    void Unload();

    HINSTANCE instance_;
    UINT taskbar_created_;
    HWND window_ = nullptr;
    HiddenWindowHandlers handlers_;
    bool unloaded_ = false;
};

}  // namespace pwstd
