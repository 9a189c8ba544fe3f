#include "platform/win32/renderer/win_metrics.h"

namespace pwstd {
namespace {

// The per-display functions of Windows 8.1 and 10, where the system has them.
struct DisplayFunctions {
    UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
    HRESULT(WINAPI* GetDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;
    int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
    BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
    // Through a plain function pointer type: the compiler allows that cast to any other.
    if (module != nullptr) {
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }
}

const DisplayFunctions& Display() {
    static const DisplayFunctions functions = [] {
        DisplayFunctions found;
        HMODULE user = GetModuleHandleW(L"user32.dll");
        Find(user, "GetDpiForWindow", found.GetDpiForWindow);
        Find(user, "GetSystemMetricsForDpi", found.GetSystemMetricsForDpi);
        Find(user, "AdjustWindowRectExForDpi", found.AdjustWindowRectExForDpi);
        // Kept loaded for the life of the process. Only from the system folder, never the program's.
        Find(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor",
             found.GetDpiForMonitor);
        return found;
    }();
    return functions;
}

ScreenDpi MonitorDpi(HMONITOR monitor) {
    constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the scale the user chose for the display
    UINT x = 0, y = 0;
    if (Display().GetDpiForMonitor != nullptr && monitor != nullptr &&
        SUCCEEDED(Display().GetDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && x > 0 && y > 0) {
        return {static_cast<int>(x), static_cast<int>(y)};
    }
    return ScreenDpi::Query();
}

}  // namespace

ScreenDpi ScreenDpi::Query() {
    HDC screen = GetDC(nullptr);
    ScreenDpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    if (dpi.X <= 0) dpi.X = 96;
    if (dpi.Y <= 0) dpi.Y = 96;
    return dpi;
}

ScreenDpi WindowDpi(HWND window) {
    if (Display().GetDpiForWindow != nullptr) {
        if (const int dpi = static_cast<int>(Display().GetDpiForWindow(window)); dpi > 0) return {dpi, dpi};
    }
    return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

ScreenDpi PrimaryDisplayDpi() { return MonitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)); }

int SystemMetricForDpi(int metric, int dpi) {
    if (Display().GetSystemMetricsForDpi != nullptr) {
        return Display().GetSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(metric), dpi, ScreenDpi::Query().X);
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD ex_style, int dpi) {
    RECT outer{0, 0, client.cx, client.cy};
    if (Display().AdjustWindowRectExForDpi == nullptr ||
        !Display().AdjustWindowRectExForDpi(&outer, style, FALSE, ex_style, static_cast<UINT>(dpi))) {
        outer = {0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&outer, style, FALSE, ex_style);
    }
    return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace pwstd
