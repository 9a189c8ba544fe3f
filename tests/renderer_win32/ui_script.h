#pragma once
// Drives a window from the inside: steps run one after another on the user-interface thread, from
// a thread timer that the modal loop or the menu loop under test dispatches. A step returns true
// when it is done and false to be tried again at the next tick (waiting for something to show).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace pwstd::test {

class UiScript {
public:
    struct Step {
        std::string Name;
        std::function<bool()> Run;
    };

    // `abort` ends whatever loop is running (unloads the form, closes the menu) when a step waits
    // longer than `step_timeout_ms`; the step is reported as a test failure.
    UiScript(std::vector<Step> steps, std::function<void()> abort, int step_timeout_ms = 3000);
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    bool Finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> steps_;
    std::function<void()> abort_;
    DWORD timeout_;
    size_t next_ = 0;
    DWORD step_started_ = 0;
    bool running_ = false;
    UINT_PTR timer_ = 0;
};

// A hidden top-level window standing for the program's resident window: it owns the popup menus.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Lets the window manager and the input queue settle: the pending messages, then a short sleep.
void Pump(int milliseconds);

}  // namespace pwstd::test
