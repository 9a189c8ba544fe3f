#pragma once
// The poll cycle's template button signal: a message posted to the hidden window, whose thread
// (the UI thread) then switches to the next template.
#include <windows.h>

#include "engine/ports.h"

namespace pwstd {

class WinTemplateSignal final : public TemplateSignal {
public:
    explicit WinTemplateSignal(HWND window) : window_(window) {}
    // PostMessage only: it returns at once whatever the UI thread is doing.
    void post() override;

private:
    HWND window_;
};

}  // namespace pwstd
