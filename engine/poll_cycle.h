#pragma once
// The heart of the program: one poll turns the joystick's change into key presses and releases, and
// once a second the tray icon shows the poll rate.
#include <cstdint>
#include <string>

#include "engine/pad_reader.h"
#include "engine/ports.h"
#include "engine/shared_state.h"

namespace pwstd {

// "動作中・・・" followed by n with one leading space and "FPS": "動作中・・・ 40FPS".
std::string PollRateTip(int32_t n);
inline constexpr const char* kRunningTip = "動作中・・・";
inline constexpr const char* kPausedTip = "停止中・・・";

class PollCycle {
public:
    PollCycle(SharedState& state, PadReader& reader, KeySink& keys, Clock& clock, TrayIcon& tray);

    // One poll; runs on the multimedia timer's thread. Ticks never overlap.
    void PadTimerProc();
    // Advances the icon frame and, while the pad runs, shows `n` polls a second in the tip.
    void ShowPollRate(const int32_t& n);
    // Releases every control held at the last poll, in the usual order, and forgets them; buttons
    // above a lowered button count that are still marked held are released too. For quit,
    // called on the UI thread once the timer is stopped, so no key stays down after the program.
    void ReleaseHeld();

    const PollState& poll_state() const { return poll_; }

private:
    SharedState& state_;
    PadReader& reader_;
    KeySink& keys_;
    Clock& clock_;
    TrayIcon& tray_;
    PollState poll_;
};

}  // namespace pwstd
