// Not a test: opens the running PwStd's three settings dialogs from its popup menu, the way a user
// would, and photographs each one (scripts/dialog-screenshots).
//   pwstd_dialog_tour <folder>   writes <folder>\key-settings.bmp, <folder>\general-settings.bmp
//                                and <folder>\options.bmp
// Each picture holds exactly the dialog's window rectangle, title bar and border included.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/screenshots/tour_common.h"

namespace {

using pwstd::tour::Key;
using pwstd::tour::SaveRect;
using pwstd::tour::WaitWindow;

bool WaitGone(HWND window, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(50);
    }
    return false;
}


// Opens the popup menu, walks into "プロパティ..." and chooses its item number `item` (0 is
// "キー設定...", 1 is "一般設定...", 2 is "拡張設定..."); photographs the dialog that opens, then
// closes it from its title bar so nothing is changed.
bool Photograph(HWND resident, int item, const std::wstring& path) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 24, GetSystemMetrics(SM_CYSCREEN) - 12);
    SendNotifyMessageW(resident, 512, 0, WM_RBUTTONDOWN);
    HWND popup = WaitWindow(L"#32768", true, 5000);
    if (!popup) {
        std::fputs("no popup menu\n", stderr);
        return false;
    }
    Key(popup, VK_DOWN);   // "プロパティ..."
    Key(popup, VK_RIGHT);  // its submenu, on "キー設定..."
    for (int i = 0; i < item; ++i) Key(popup, VK_DOWN);
    Key(popup, VK_RETURN);
    HWND dialog = WaitWindow(L"PwStdForm", true, 10000);
    if (!dialog) {
        std::fputs("no dialog\n", stderr);
        return false;
    }
    Sleep(1500);  // let every control paint
    RECT rect{};
    GetWindowRect(dialog, &rect);
    const bool ok = SaveRect(rect, path);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    if (!WaitGone(dialog, 10000)) {
        std::fputs("the dialog did not close\n", stderr);
        return false;
    }
    Sleep(500);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring folder;
    HWND resident = pwstd::tour::StartTour(argc, argv, "pwstd_dialog_tour", folder);
    if (!resident) return 1;
    bool ok = Photograph(resident, 0, folder + L"\\key-settings.bmp");
    ok = Photograph(resident, 1, folder + L"\\general-settings.bmp") && ok;
    ok = Photograph(resident, 2, folder + L"\\options.bmp") && ok;
    return ok ? 0 : 1;
}
