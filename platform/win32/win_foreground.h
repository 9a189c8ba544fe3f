#pragma once
// The window in front and the programs that own windows: an out-of-context event hook on the UI
// thread (nothing is polled), and each window's program found from its process.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tray/foreground.h"
#include "tray/late_front.h"

namespace pwstd {

class WinForegroundWatch final : public ForegroundWatch {
public:
    WinForegroundWatch() = default;
    ~WinForegroundWatch() override;
    WinForegroundWatch(const WinForegroundWatch&) = delete;
    WinForegroundWatch& operator=(const WinForegroundWatch&) = delete;

    void start(std::function<void(const FrontProgram&)> in_front) override;
    void stop() override;
    FrontProgram front() override;
    std::vector<FrontProgram> visible_programs() override;

    // The program of a window: this process and the shell's are marked; a window of the frame host
    // of store apps stands for the app inside it.
    static FrontProgram ProgramOf(HWND window);

private:
    static void CALLBACK Event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                               DWORD thread, DWORD time);
    // The thread timer of a frame whose app was not known yet (LateFront).
    static void CALLBACK LookAgain(HWND, UINT, UINT_PTR timer, DWORD);
    void StopTimer();

    HWINEVENTHOOK hook_ = nullptr;
    std::function<void(const FrontProgram&)> in_front_;
    LateFront late_;
    UINT_PTR timer_ = 0;
};

}  // namespace pwstd
