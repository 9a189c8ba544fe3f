// Not a test: opens the running PwStd's popup menu and photographs it twice, once with the
// "プロパティ..." submenu open and once with "テンプレート" open (scripts/menu-screenshot).
//   pwstd_menu_tour <folder>   writes <folder>\properties.bmp and <folder>\templates.bmp
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/screenshots/tour_common.h"

namespace {

using pwstd::tour::Key;
using pwstd::tour::SaveRect;
using pwstd::tour::WaitWindow;

// The whole screen as a BMP file.
bool SaveScreen(const std::wstring& path) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveRect(screen, path);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring folder;
    HWND resident = pwstd::tour::StartTour(argc, argv, "pwstd_menu_tour", folder);
    if (!resident) return 1;
    // Where a click on the tray icon would be: the bottom right corner.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 24, GetSystemMetrics(SM_CYSCREEN) - 12);
    SendNotifyMessageW(resident, 512, 0, WM_RBUTTONDOWN);
    HWND popup = WaitWindow(L"#32768", true, 5000);
    if (!popup) {
        std::fputs("no popup menu\n", stderr);
        return 1;
    }
    Key(popup, VK_DOWN);   // "プロパティ..."
    Key(popup, VK_RIGHT);  // its submenu, on "キー設定..."
    Sleep(500);
    bool ok = SaveScreen(folder + L"\\properties.bmp");
    Key(popup, VK_LEFT);
    Key(popup, VK_DOWN);   // "テンプレート"
    Key(popup, VK_RIGHT);  // its submenu, on "カスタム"
    Sleep(500);
    ok = SaveScreen(folder + L"\\templates.bmp") && ok;
    Key(popup, VK_ESCAPE);
    Key(popup, VK_ESCAPE);
    return ok ? 0 : 1;
}
