#pragma once
// The heart of the program: one poll reads the pad, looks up what each control is bound to in the
// table in force, and lets the held outputs turn the changes into key presses and releases; once a
// second the tray icon shows the poll rate.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/bindings/binding_table.h"
#include "engine/input/pads.h"
#include "engine/output/held_outputs.h"
#include "engine/output/mouse_outputs.h"
#include "engine/ports.h"
#include "engine/shared_state.h"

namespace pwstd {

// "動作中・・・" followed by n with one leading space and "FPS": "動作中・・・ 40FPS".
std::string PollRateTip(int32_t n);
inline constexpr const char* kRunningTip = "動作中・・・";
inline constexpr const char* kPausedTip = "停止中・・・";

// One rate display: the running icon's frame and the number of polls made since the last display.
struct PollRate {
    int16_t frame = 0;
    int32_t polls = 0;
    bool operator==(const PollRate&) const = default;
};

// What the poll decodes from a reading, fixed when the pipeline is built.
struct PollOptions {
    bool hat = false;   // the hat gives directions where the stick is centred
    bool axes = false;  // the ends of the extra axes are controls
};

class PollCycle {
public:
    PollCycle(SharedState& state, Pads& pads, LiveBindings& bindings, HeldOutputs& held, Clock& clock,
              RateSignal& rate, PollOptions options);

    // One poll; runs on the multimedia timer's thread. Ticks never overlap.
    void PadTimerProc();
    // Advances the icon frame and hands the frame and `n` to the UI thread, which shows them. The
    // timer thread never calls the shell: a busy or hung shell would hold up the polls, and with
    // them the keys' releases.
    void ShowPollRate(const int32_t& n);
    // The latest rate display not taken yet, if any. UI thread, when the rate signal arrives. A
    // display the UI thread had no time for is replaced by the next one, so at most one signal
    // waits in the queue however long the shell keeps the UI thread.
    std::optional<PollRate> TakePollRate();
    // Releases every control held at the last poll, in the usual order (the keys of a combination
    // in reverse order of their press), and forgets them; buttons above a lowered button count
    // that are still held are released too. For quit, called on the
    // UI thread once the timer is stopped, so no key stays down after the program.
    void ReleaseHeld();

    // Where the presses of a "next template" control go; until set, they go nowhere.
    void SetTemplateSignal(TemplateSignal& signal) { template_signal_ = &signal; }
    // With the mouse on: where the cursor's movement, the mouse buttons and the wheel go. Until set,
    // no table's mouse stick or mouse action does anything. Set when the pipeline is built.
    void SetMouse(MouseOutputs& mouse) { mouse_ = &mouse; }

private:
    // The mouse buttons and wheels of the controls in `held`, each bound to the mouse action
    // `action(c)` gives (its map's, or the shift map's where it latched that): first what lets go,
    // then what is held.
    template <typename ActionOf>
    void ReleaseMouse(uint64_t held, const ActionOf& action);
    template <typename ActionOf>
    void HoldMouse(uint64_t held, const ActionOf& action);

    SharedState& state_;
    Pads& pads_;
    LiveBindings& bindings_;
    HeldOutputs& held_;
    Clock& clock_;
    RateSignal& rate_;
    const PollOptions options_;
    TemplateSignal* template_signal_ = nullptr;
    MouseOutputs* mouse_ = nullptr;
    int32_t poll_count_ = 0;       // polls since the last rate display
    uint32_t last_rate_tick_ = 0;  // tick count at the last rate display; compared by unsigned
                                   // difference so the display survives the 49.7-day wrap
    uint32_t generation_ = 0;      // of the pad last read
    // The "next template" controls down at the last poll that read them; kept through a pause, so
    // a press held across it does not count twice.
    uint64_t template_down_ = 0;
    bool paused_ = false;  // the last tick found the pad paused
    // The controls held as keys at the last poll, and those of them that went down under the
    // shift map and stay bound by it until they come up.
    uint64_t held_before_ = 0;
    uint64_t shifted_controls_ = 0;
    // The display waiting for the UI thread, or 0: kRatePending, the frame and the count in one
    // word, so the UI thread never sees the frame of one display with the count of another.
    std::atomic<uint64_t> pending_rate_{0};
};

}  // namespace pwstd
