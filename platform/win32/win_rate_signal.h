#pragma once
// The poll cycle's rate signal: a message posted to the hidden window, whose thread (the UI thread)
// then shows the rate display in the tray icon.
#include <windows.h>

#include "engine/ports.h"

namespace pwstd {

class WinRateSignal final : public RateSignal {
public:
    explicit WinRateSignal(HWND window) : window_(window) {}
    // PostMessage only: it returns at once whatever the UI thread or the shell is doing.
    bool post() override;

private:
    HWND window_;
};

}  // namespace pwstd
