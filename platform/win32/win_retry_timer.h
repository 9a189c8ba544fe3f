#pragma once
// The window timer of the hidden window that tries the tray icon again (WM_TIMER with
// kTrayRetryTimerId).
#include <windows.h>

#include "tray/shell.h"

namespace pwstd {

class WinRetryTimer final : public RetryTimer {
public:
    explicit WinRetryTimer(HWND window) : window_(window) {}
    void start(int32_t ms) override;
    void stop() override;

private:
    HWND window_;
};

}  // namespace pwstd
