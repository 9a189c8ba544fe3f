#include "engine/poll_cycle.h"

#include <algorithm>
#include <bit>

#include "engine/bindings/controls.h"
#include "engine/bindings/mouse_stick.h"

namespace pwstd {
namespace {

constexpr uint64_t kRatePending = uint64_t{1} << 48;

static_assert(kControlCount <= HeldOutputs::kSlots);

}  // namespace

std::string PollRateTip(int32_t n) {
    // The count as the rate display has always shown it: one leading space for a number >= 0.
    return std::string(kRunningTip) + (n >= 0 ? " " : "") + std::to_string(n) + "FPS";
}

PollCycle::PollCycle(SharedState& state, Pads& pads, LiveBindings& bindings, HeldOutputs& held, Clock& clock,
                     RateSignal& rate, PollOptions options)
    : state_(state), pads_(pads), bindings_(bindings), held_(held), clock_(clock), rate_(rate), options_(options) {}

void PollCycle::PadTimerProc() {
    if (state_.PadActive == False) {
        // The first tick of a pause lets go of what the pad holds, so no key stays down in the
        // program the user turns to; after that a paused tick does nothing at all.
        if (!paused_) ReleaseHeld();
        paused_ = true;
        return;
    }
    // The pad may have been swapped during the pause: it is found anew.
    if (paused_) {
        pads_.Resumed();
        paused_ = false;
    }

    // Unsigned difference: the tick count wraps after 49.7 days and the display keeps coming.
    if (clock_.ticks() - last_rate_tick_ > 1000u) {
        ShowPollRate(poll_count_);
        poll_count_ = -1;
        last_rate_tick_ = clock_.ticks();
    }
    ++poll_count_;

    HeldOutputs::Batch keys(held_);
    PadReading reading = pads_.Read(0);
    const LiveBindings::Reading bindings(bindings_);
    const BindingTable& table = bindings.table();
    const BindingTable* shifted = bindings.shifted();
    uint64_t on = 0;
    int32_t stick = 0;
    if (reading.code == 0) {
        // Another pad than the last: nothing held on the old one is held on this one.
        if (reading.generation != generation_) {
            if (generation_ != 0) {
                if (mouse_ != nullptr) mouse_->ReleaseAll();
                keys.ReleaseAll();
                held_before_ = shifted_controls_ = 0;
            }
            generation_ = reading.generation;
        }
        if (mouse_ != nullptr) {
            stick = table.mouse_stick;
            // While a shift button is held the cursor follows the shift map's stick.
            if (shifted != nullptr && table.shifts != 0 &&
                (HeldControls(reading.state, state_.Kando, options_.hat, options_.axes) & table.shifts) != 0) {
                stick = shifted->mouse_stick;
            }
        }
        if (stick != 0) {
            uint32_t x = kAxisMiddle, y = kAxisMiddle;
            MouseStickPosition(reading.state, stick, x, y);
            mouse_->Move(x, y, state_.Wait);
            CentreMouseStick(reading.state, stick);
        }
        on = HeldControls(reading.state, state_.Kando, options_.hat, options_.axes);
    } else if (mouse_ != nullptr) {
        mouse_->Move(kAxisMiddle, kAxisMiddle, state_.Wait);  // the pad away: the cursor stops
    }

    // "Next template" and shift controls are never keys nor mouse actions (every map has them on
    // the same controls): each press of a "next template" control is handed to the UI thread,
    // which switches the template. They count whatever the button count says.
    const uint64_t special = table.not_keys & ~table.mouse;
    const uint64_t templates = on & special & ~table.shifts;
    if (template_signal_ != nullptr) {
        for (uint64_t pressed = templates & ~template_down_; pressed != 0; pressed &= pressed - 1) {
            template_signal_->post();
        }
    }
    template_down_ = templates;
    // Buttons above the count are neither held nor bound, so a key they still hold down is let go.
    const int32_t buttons = std::clamp<int32_t>(state_.Buttons, 0, kMaxButtons);
    const uint64_t counted = ~(((uint64_t{1} << kMaxButtons) - 1) << kControlButton1) |
                             ((uint64_t{1} << buttons) - 1) << kControlButton1;
    const uint64_t held = on & counted & ~special;

    // A control takes the map in force when it goes down, the shift map while a shift button is
    // held, and keeps it until it comes up: one held across the shift's start or end goes on
    // sending what it pressed, with no release and no second press.
    const uint64_t pressed = held & ~held_before_;
    shifted_controls_ &= held & ~pressed;
    if (shifted != nullptr && (on & table.shifts) != 0) shifted_controls_ |= pressed;
    held_before_ = held;
    const auto action = [&](int c) -> const Action& {
        return (shifted_controls_ >> c & 1u) != 0 ? (*shifted)[c] : table[c];
    };

    const bool repeat = state_.Repeat == 1;
    const bool release_last = repeat && state_.Keyup == 1;
    // Mouse buttons let go first: the keys held around a click (Ctrl+click) are still down when
    // it comes up, as a hand on a mouse and a keyboard lets go.
    uint64_t mouse = 0;
    if (mouse_ != nullptr) {
        mouse = (table.mouse & ~shifted_controls_) | (shifted != nullptr ? shifted->mouse & shifted_controls_ : 0);
        ReleaseMouse(held & mouse, action);
    }
    // All releases before any press, each in the order of the controls. What went down with
    // another binding than its map's now (the map changed while the control was held) comes up,
    // and the new one goes down below. A repeat with key-up lets go of the last key only: the keys
    // of a combination pressed before it stay down until the control comes up. The keys around a
    // mouse action never repeat.
    for (int c = 0; c < kControlCount; ++c) {
        const Action& down = keys.Down(c);
        if (down.kind == ActionKind::None) continue;
        if ((held >> c & 1u) == 0 || down != action(c).KeysHeld()) {
            keys.Release(c);
        } else if (release_last && action(c).kind == ActionKind::Key) {
            keys.ReleaseLast(c);
        }
    }
    for (int c = 0; c < kControlCount; ++c) {
        if ((held >> c & 1u) == 0) continue;
        const Action& bound = action(c);
        if (bound.kind == ActionKind::Key) {
            if (repeat || keys.Down(c).kind == ActionKind::None) keys.Press(c, bound);
        } else if (bound.with != 0 && keys.Down(c).kind == ActionKind::None) {
            keys.Press(c, bound.KeysHeld());
        }
    }
    if (mouse_ != nullptr) HoldMouse(held & mouse, action);
}

// Mouse buttons and wheels, in the order of the controls: what came up or changed its action lets
// go before any key does, and what is held goes down or notches after the keys' presses, so the
// keys held around it go down before it. Repeat and Keyup do not apply.
template <typename ActionOf>
void PollCycle::ReleaseMouse(uint64_t held, const ActionOf& action) {
    for (int c = 0; c < kControlCount; ++c) {
        const uint8_t down = mouse_->Down(c);
        if (down != 0 && ((held >> c & 1u) == 0 || down != action(c).key)) mouse_->Release(c);
    }
}

template <typename ActionOf>
void PollCycle::HoldMouse(uint64_t held, const ActionOf& action) {
    for (uint64_t bits = held; bits != 0; bits &= bits - 1) {
        const int c = std::countr_zero(bits);
        mouse_->Hold(c, action(c).key, state_.Wait);
    }
}

void PollCycle::ShowPollRate(const int32_t& n) {
    int16_t frame = static_cast<int16_t>(state_.IconFrame + 1);
    if (frame >= 5) frame = 1;
    state_.IconFrame = frame;
    const uint64_t display =
        kRatePending | uint64_t{static_cast<uint16_t>(frame)} << 32 | static_cast<uint32_t>(n);
    // Signalled only when nothing was waiting: a waiting display already has its signal queued.
    // A signal that could not be queued must not leave the display waiting for ever, or no
    // later display would be signalled again and the tip would freeze.
    if (pending_rate_.exchange(display) == 0 && !rate_.post()) {
        uint64_t expected = display;
        pending_rate_.compare_exchange_strong(expected, 0);
    }
}

std::optional<PollRate> PollCycle::TakePollRate() {
    const uint64_t display = pending_rate_.exchange(0);
    if (display == 0) return std::nullopt;
    return PollRate{static_cast<int16_t>(static_cast<uint16_t>(display >> 32)),
                    static_cast<int32_t>(static_cast<uint32_t>(display))};
}

void PollCycle::ReleaseHeld() {
    if (mouse_ != nullptr) mouse_->ReleaseAll();
    held_.ReleaseAll();
    held_before_ = shifted_controls_ = 0;
}

}  // namespace pwstd
