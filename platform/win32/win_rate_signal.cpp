#include "platform/win32/win_rate_signal.h"

#include "platform/win32/hidden_window.h"

namespace pwstd {

bool WinRateSignal::post() { return PostMessageW(window_, kPollRateMessage, 0, 0) != FALSE; }

}  // namespace pwstd
