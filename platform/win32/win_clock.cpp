#include "platform/win32/win_clock.h"

#include <windows.h>

namespace pwstd {

uint32_t WinClock::ticks() { return GetTickCount(); }

}  // namespace pwstd
