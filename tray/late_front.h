#pragma once
// A store app's window is a frame of the frame host's; the app runs in the process that owns the
// frame's content window. Restored from the taskbar, the frame may come to the front a moment
// before its content window is under it: the app is not known yet. Such a window is looked at
// once more, a moment later, instead of being taken for a program that changes nothing.
#include <cstdint>

#include "tray/foreground.h"

namespace pwstd {

// How long after the frame came to the front its app is looked for again.
inline constexpr uint32_t kLateFrontMs = 500;

// The window's own program is the frame host of store apps.
inline bool IsFrameHost(const FrontProgram& owner) {
    constexpr const char* kFrameHost = "applicationframehost.exe";
    if (owner.ours_or_shell || owner.name.size() != 24) return false;
    for (size_t i = 0; i < owner.name.size(); ++i) {
        const char c = owner.name[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kFrameHost[i]) return false;
    }
    return true;
}

// The rule; the foreground watch keeps the timer. `window` identifies a window (its handle).
class LateFront {
public:
    enum class Then { Report, LookAgain };

    // A window came to the front; `owner` is its own process's program, `found` the program it
    // stands for (for a frame, the app inside it). A frame whose app is not known yet is looked at
    // again later; anything else is reported now, and a look still awaited is called off.
    Then InFront(uintptr_t window, const FrontProgram& owner, const FrontProgram& found) {
        awaited_ = IsFrameHost(owner) && found.name.empty() ? window : 0;
        return awaited_ != 0 ? Then::LookAgain : Then::Report;
    }
    // The moment has passed, `in_front` being the window in front now: true when that is the
    // awaited frame, whose program is then looked for and reported. Once only.
    bool LookNow(uintptr_t in_front) {
        const bool again = awaited_ != 0 && awaited_ == in_front;
        awaited_ = 0;
        return again;
    }

private:
    uintptr_t awaited_ = 0;
};

}  // namespace pwstd
