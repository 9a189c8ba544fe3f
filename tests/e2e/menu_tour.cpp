// Not a test: opens the running PwStd's popup menu and photographs it twice, once with the
// "プロパティ..." submenu open and once with "テンプレート" open (scripts/menu-screenshot).
//   pwstd_menu_tour <folder>   writes <folder>\properties.bmp and <folder>\templates.bmp
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

void Key(HWND popup, UINT vk) {
    PostMessageW(popup, WM_KEYDOWN, vk, 1);
    PostMessageW(popup, WM_KEYUP, vk, 0xC0000001);
    Sleep(300);
}

// The whole screen as a 24-bit bottom-up BMP file.
bool SaveScreen(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: pwstd_menu_tour <folder>\n", stderr);
        return 2;
    }
    const std::wstring folder = argv[1];
    HWND resident = WaitWindow(L"PwStdResident", false, 30000);
    if (!resident) {
        std::fputs("PwStd is not running\n", stderr);
        return 1;
    }
    Sleep(1500);  // let the tray icon settle into the task bar
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
