#pragma once
// The screen's resolution, for laying out twips (1/1440 inch) and points (1/72 inch) in pixels, and
// the resolution of each display: the program is aware of each display's scale, so a window is laid
// out for the display it is on, which may not be the scale the session started with.
#include <windows.h>

#include <cstdint>

#include "forms/control.h"

namespace pwstd {

struct ScreenDpi {
    int X = 96, Y = 96;  // pixels per inch across and down

    // The system's resolution (GetDeviceCaps LOGPIXELSX / LOGPIXELSY): the scale the session started
    // with, which the system's metrics and fonts are given for. 96 unless the user chose larger
    // text, and the program is aware of the choice.
    static ScreenDpi Query();

    int TwipsToPixelsX(int32_t twips) const { return MulDiv(twips, X, 1440); }
    int TwipsToPixelsY(int32_t twips) const { return MulDiv(twips, Y, 1440); }
    float PixelsToTwipsX(int pixels) const { return static_cast<float>(pixels) * 1440.0f / static_cast<float>(X); }
    float PixelsToTwipsY(int pixels) const { return static_cast<float>(pixels) * 1440.0f / static_cast<float>(Y); }
    // A font height for CreateFont: negative, so the size is that of the characters, not the cell.
    LONG PointsToFontHeight(int32_t points) const { return -MulDiv(points, Y, 72); }
    RECT TwipsToPixels(const forms::Rect& rect) const {
        const int left = TwipsToPixelsX(rect.Left), top = TwipsToPixelsY(rect.Top);
        return {left, top, left + TwipsToPixelsX(rect.Width), top + TwipsToPixelsY(rect.Height)};
    }
    bool operator==(const ScreenDpi&) const = default;
};

// Where a window learns its resolution. The program passes WindowDpi; another source lays windows
// out as if they opened on a display of another scale.
using DpiSource = ScreenDpi (*)(HWND window);

// The resolution of the display `window` is on, today: GetDpiForWindow (Windows 10), else
// GetDpiForMonitor of its monitor (Windows 8.1), else the system's (Windows 7 and 8, where every
// display has the session's scale). The per-display functions are looked up when first needed, so
// the program starts where they do not exist.
ScreenDpi WindowDpi(HWND window);
// The resolution of the primary display today (the notification area's), by the same rule.
ScreenDpi PrimaryDisplayDpi();
// A system metric (SM_CXICON, SM_CXSMICON ...) as it is on a display of `dpi` dots per inch.
int SystemMetricForDpi(int metric, int dpi);
// The size of a window whose client area is `client`, with the frame the system draws around it
// at `dpi` (AdjustWindowRectExForDpi; before Windows 10 the system's frame, which is not scaled).
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD ex_style, int dpi);

}  // namespace pwstd
