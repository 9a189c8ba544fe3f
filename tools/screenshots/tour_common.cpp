// Shared by the tours that photograph the running program (not tests): finding its windows,
// pressing keys in a popup menu, and saving a part of the screen as a BMP file.
#include "tools/screenshots/tour_common.h"

#include <cstdio>

namespace pwstd::tour {

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

HWND StartTour(int argc, wchar_t** argv, const char* usage, std::wstring& folder) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", usage);
        return nullptr;
    }
    folder = argv[1];
    HWND resident = WaitWindow(L"PwStdResident", false, 30000);
    if (!resident) {
        std::fputs("PwStd is not running\n", stderr);
        return nullptr;
    }
    Sleep(1500);  // let the tray icon settle into the task bar
    return resident;
}

}  // namespace pwstd::tour
