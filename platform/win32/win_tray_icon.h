#pragma once
// The tray icon through Shell_NotifyIconW. The icon is identified by the hidden window and uID 0,
// never by a GUID, so it stays the same icon wherever the executable is moved.
#include <windows.h>

#include <array>
#include <string>

#include "engine/ports.h"
#include "platform/win32/renderer/win_metrics.h"

namespace pwstd {

// The tip field of the record's first layout, in characters, NUL included.
constexpr size_t kTipChars = 64;
// Puts `tip` into the first kTipChars characters of `field`: cut to kTipChars - 1 characters,
// never between the two halves of a surrogate pair, then NUL-filled.
void CopyTip(const std::wstring& tip, wchar_t* field);

class WinTrayIcon final : public TrayIcon {
public:
    // Loads the paused icon and the four running frames at the size of the notification area: every
    // update then only picks one. `primary_dpi` gives the scale of the primary display, whose
    // notification area shows the icon.
    WinTrayIcon(HWND window, HINSTANCE instance, ScreenDpi (*primary_dpi)() = &PrimaryDisplayDpi);
    ~WinTrayIcon() override;
    WinTrayIcon(const WinTrayIcon&) = delete;
    WinTrayIcon& operator=(const WinTrayIcon&) = delete;

    // An add first loads the icons again if the scale has changed since (a new shell after a change
    // of scale).
    bool notify(TrayMessage message, const TrayRecord& record) override;
    // The displays have changed (docked, another primary display, another scale): at a new scale
    // the icons are loaded again, and the icon shown, if any, is shown anew at its new size.
    // UI thread.
    void DisplayChanged();

private:
    // Loads the icons at the notification area's size today, when it is not the size they have.
    // True when they were loaded.
    bool LoadIcons();

    HWND window_;
    HINSTANCE instance_;
    ScreenDpi (*primary_dpi_)();
    int size_ = 0;                  // the icons' width and height, in pixels
    std::array<HICON, 5> icons_{};  // 0 paused, 1..4 running frames
    int shown_ = -1;                // the image the shell shows, -1 when none
};

}  // namespace pwstd
