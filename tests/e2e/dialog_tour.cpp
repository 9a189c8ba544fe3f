// Not a test: opens the running PwStd's two settings dialogs from its popup menu, the way a user
// would, and photographs each one (scripts/dialog-screenshots).
//   pwstd_dialog_tour <folder>   writes <folder>\key-settings.bmp and <folder>\general-settings.bmp
// Each picture holds exactly the dialog's window rectangle, title bar and border included.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND WaitWindow(const wchar_t* class_name, bool visible, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        HWND window = FindWindowW(class_name, nullptr);
        if (window && (!visible || IsWindowVisible(window))) return window;
        Sleep(50);
    }
    return nullptr;
}

bool WaitGone(HWND window, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        Sleep(50);
    }
    return false;
}

void Key(HWND popup, UINT vk) {
    PostMessageW(popup, WM_KEYDOWN, vk, 1);
    PostMessageW(popup, WM_KEYUP, vk, 0xC0000001);
    Sleep(300);
}

// One rectangle of the screen as a 24-bit bottom-up BMP file.
bool SaveRect(const RECT& rect, const std::wstring& path) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string pixels(stride * static_cast<DWORD>(height), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
    return true;
}

// Opens the popup menu, walks into "プロパティ..." and chooses its item number `item` (0 is
// "キー設定...", 1 is "一般設定..."); photographs the dialog that opens, then closes it from its
// title bar so nothing is changed.
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
    if (argc != 2) {
        std::fputs("usage: pwstd_dialog_tour <folder>\n", stderr);
        return 2;
    }
    const std::wstring folder = argv[1];
    HWND resident = WaitWindow(L"PwStdResident", false, 30000);
    if (!resident) {
        std::fputs("PwStd is not running\n", stderr);
        return 1;
    }
    Sleep(1500);  // let the tray icon settle into the task bar
    bool ok = Photograph(resident, 0, folder + L"\\key-settings.bmp");
    ok = Photograph(resident, 1, folder + L"\\general-settings.bmp") && ok;
    return ok ? 0 : 1;
}
