#include "tests/renderer_win32/ui_script.h"

#include <gtest/gtest.h>

namespace pwstd::test {
namespace {

UiScript* g_current = nullptr;  // thread timers carry no context of their own

}  // namespace

UiScript::UiScript(std::vector<Step> steps, std::function<void()> abort, int step_timeout_ms)
    : steps_(std::move(steps)), abort_(std::move(abort)), timeout_(static_cast<DWORD>(step_timeout_ms)) {
    g_current = this;
    step_started_ = GetTickCount();
    timer_ = SetTimer(nullptr, 0, 20, &UiScript::OnTimer);
}

UiScript::~UiScript() {
    KillTimer(nullptr, timer_);
    g_current = nullptr;
}

void CALLBACK UiScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_current != nullptr) g_current->Tick();
}

void UiScript::Tick() {
    // A step that runs a loop of its own (a message box, a menu) does not see itself again.
    if (running_ || Finished()) return;
    running_ = true;
    Step& step = steps_[next_];
    if (step.Run()) {
        ++next_;
        step_started_ = GetTickCount();
    } else if (GetTickCount() - step_started_ > timeout_) {
        ADD_FAILURE() << "step \"" << step.Name << "\" did not complete";
        next_ = steps_.size();
        abort_();
    }
    running_ = false;
}

OwnerWindow::OwnerWindow() {
    WNDCLASSW owner_class{};
    owner_class.lpfnWndProc = DefWindowProcW;
    owner_class.hInstance = GetModuleHandleW(nullptr);
    owner_class.lpszClassName = L"PwStdTestOwner";
    RegisterClassW(&owner_class);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"PwStdTestOwner", L"owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              owner_class.hInstance, nullptr);
}

OwnerWindow::~OwnerWindow() { DestroyWindow(window_); }

void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

}  // namespace pwstd::test
