#include "platform/win32/win_sleeper.h"

#include <windows.h>

namespace pwstd {

void WinSleeper::sleep(int32_t ms) { Sleep(static_cast<DWORD>(ms)); }

}  // namespace pwstd
