#include "platform/win32/win_tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstddef>

#include "platform/win32/hidden_window.h"
#include "platform/win32/resources/resource_ids.h"
#include "platform/win32/win_text.h"

namespace pwstd {

namespace {
constexpr std::array<int, 5> kIconResources = {IDI_PAUSED, IDI_RUN1, IDI_RUN2, IDI_RUN3, IDI_RUN4};
}

void CopyTip(const std::wstring& tip, wchar_t* field) {
    size_t n = std::min(tip.size(), kTipChars - 1);
    if (n > 0 && n < tip.size() && IS_HIGH_SURROGATE(tip[n - 1])) --n;
    std::copy_n(tip.data(), n, field);
    std::fill(field + n, field + kTipChars, L'\0');
}

WinTrayIcon::WinTrayIcon(HWND window, HINSTANCE instance, ScreenDpi (*primary_dpi)())
    : window_(window), instance_(instance), primary_dpi_(primary_dpi) {
    LoadIcons();
}

WinTrayIcon::~WinTrayIcon() {
    for (HICON icon : icons_)
        if (icon) DestroyIcon(icon);
}

bool WinTrayIcon::LoadIcons() {
    const int size = SystemMetricForDpi(SM_CXSMICON, primary_dpi_().X);
    if (size == size_) return false;
    size_ = size;
    for (size_t i = 0; i < icons_.size(); ++i) {
        // The shell keeps its own copy of an icon it shows: the old one may go at once.
        if (icons_[i]) DestroyIcon(icons_[i]);
        icons_[i] = static_cast<HICON>(
            LoadImageW(instance_, MAKEINTRESOURCEW(kIconResources[i]), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }
    return true;
}

void WinTrayIcon::DisplayChanged() {
    if (!LoadIcons() || shown_ < 0) return;
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_;
    data.uID = 0;
    data.uFlags = NIF_ICON;
    data.hIcon = icons_[static_cast<size_t>(shown_)];
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool WinTrayIcon::notify(TrayMessage message, const TrayRecord& record) {
    if (message == TrayMessage::Add) LoadIcons();
    // The first layout of the record: window, id, flags, message, icon and a 64-character tip.
    static_assert(NOTIFYICONDATAW_V1_SIZE == offsetof(NOTIFYICONDATAW, szTip) + kTipChars * sizeof(wchar_t));
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window_;
    data.uID = 0;
    data.uFlags = record.flags;
    data.uCallbackMessage = kTrayCallbackMessage;
    const bool has_icon = record.icon >= 0 && static_cast<size_t>(record.icon) < icons_.size();
    if (has_icon) data.hIcon = icons_[static_cast<size_t>(record.icon)];
    CopyTip(Utf8ToWide(record.tip), data.szTip);
    const bool taken = Shell_NotifyIconW(static_cast<DWORD>(message), &data) != FALSE;
    if (message == TrayMessage::Delete) {
        shown_ = -1;
    } else if (taken && has_icon && (record.flags & NIF_ICON) != 0) {
        shown_ = record.icon;
    }
    return taken;
}

}  // namespace pwstd
