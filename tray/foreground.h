#pragma once
// The window in front, as the resident form needs to know it to let the key map follow the
// program the user is playing.
#include <functional>
#include <string>
#include <vector>

namespace pwstd {

// The program that owns a window.
struct FrontProgram {
    std::string name;            // its executable's file name ("game.exe"), UTF-8; "" when unknown
    bool ours_or_shell = false;  // this program's own window, or one of the shell's process
};

class ForegroundWatch {
public:
    virtual ~ForegroundWatch() = default;
    // Starts following the window in front (SetWinEventHook(EVENT_SYSTEM_FOREGROUND, ...,
    // WINEVENT_OUTOFCONTEXT)): from then on, each time a window comes to the front, the UI thread
    // calls `in_front` with its program from its message loop. Nothing is polled. UI thread.
    virtual void start(std::function<void(const FrontProgram&)> in_front) = 0;
    // Stops following (UnhookWinEvent): `in_front` is not called any more. UI thread.
    virtual void stop() = 0;
    // The program of the window in front now. UI thread.
    virtual FrontProgram front() = 0;
    // The programs that have a visible top-level window now, in no order, possibly repeated.
    // UI thread.
    virtual std::vector<FrontProgram> visible_programs() = 0;
};

}  // namespace pwstd
