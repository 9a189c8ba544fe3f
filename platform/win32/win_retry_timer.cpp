#include "platform/win32/win_retry_timer.h"

#include "platform/win32/hidden_window.h"

namespace pwstd {

void WinRetryTimer::start(int32_t ms) {
    SetTimer(window_, kTrayRetryTimerId, static_cast<UINT>(ms), nullptr);
}

void WinRetryTimer::stop() { KillTimer(window_, kTrayRetryTimerId); }

}  // namespace pwstd
