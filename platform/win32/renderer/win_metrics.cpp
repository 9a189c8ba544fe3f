#include "platform/win32/renderer/win_metrics.h"

namespace pwstd {

ScreenDpi ScreenDpi::Query() {
    HDC screen = GetDC(nullptr);
    ScreenDpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    if (dpi.X <= 0) dpi.X = 96;
    if (dpi.Y <= 0) dpi.Y = 96;
    return dpi;
}

}  // namespace pwstd
