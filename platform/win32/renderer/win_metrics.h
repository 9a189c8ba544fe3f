#pragma once
// The screen's resolution, for laying out twips (1/1440 inch) and points (1/72 inch) in pixels.
#include <windows.h>

#include <cstdint>

#include "forms/control.h"

namespace pwstd {

struct ScreenDpi {
    int X = 96, Y = 96;  // pixels per inch across and down

    // The screen's own resolution (GetDeviceCaps LOGPIXELSX / LOGPIXELSY): 96 unless the user
    // chose larger text, and the program is aware of the choice.
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
};

}  // namespace pwstd
