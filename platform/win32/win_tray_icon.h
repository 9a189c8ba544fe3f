#pragma once
// The tray icon through Shell_NotifyIconW. The icon is identified by the hidden window and uID 0,
// never by a GUID, so it stays the same icon wherever the executable is moved.
#include <windows.h>

#include <array>
#include <string>

#include "engine/ports.h"

namespace pwstd {

// The tip field of the record's first layout, in characters, NUL included.
constexpr size_t kTipChars = 64;
// Puts `tip` into the first kTipChars characters of `field`: cut to kTipChars - 1 characters,
// never between the two halves of a surrogate pair, then NUL-filled.
void CopyTip(const std::wstring& tip, wchar_t* field);

class WinTrayIcon final : public TrayIcon {
public:
    // Loads the paused icon and the four running frames once: every update then only picks one.
    WinTrayIcon(HWND window, HINSTANCE instance);
    ~WinTrayIcon() override;
    WinTrayIcon(const WinTrayIcon&) = delete;
    WinTrayIcon& operator=(const WinTrayIcon&) = delete;

    bool notify(TrayMessage message, const TrayRecord& record) override;

private:
    HWND window_;
    std::array<HICON, 5> icons_{};  // 0 paused, 1..4 running frames
};

}  // namespace pwstd
