#include "engine/poll_cycle.h"

#include <algorithm>
#include <array>

namespace pwstd {
namespace {

uint8_t KeyByte(int32_t code) { return static_cast<uint8_t>(code); }

constexpr uint64_t kRatePending = uint64_t{1} << 48;

// The key events of one poll: the sink hears that keys come before the first of them, and not at
// all in the many polls that send none.
class KeyBatch {
public:
    explicit KeyBatch(KeySink& keys) : keys_(keys) {}
    void send(uint8_t vk, bool up) {
        if (!begun_) {
            keys_.begin_keys();
            begun_ = true;
        }
        keys_.send(vk, up);
    }

private:
    KeySink& keys_;
    bool begun_ = false;
};

}  // namespace

std::string PollRateTip(int32_t n) {
    // The count as the rate display has always shown it: one leading space for a number >= 0.
    return std::string(kRunningTip) + (n >= 0 ? " " : "") + std::to_string(n) + "FPS";
}

PollCycle::PollCycle(SharedState& state, PadReader& reader, KeySink& keys, Clock& clock,
                     RateSignal& rate)
    : state_(state), reader_(reader), keys_(keys), clock_(clock), rate_(rate) {}

void PollCycle::PadTimerProc() {
    if (state_.PadActive == False) {
        // The first tick of a pause lets go of what the pad holds, so no key stays down in the
        // program the user turns to; after that a paused tick does nothing at all.
        ReleaseHeld();
        paused_ = true;
        return;
    }
    // The pad may have been swapped during the pause: the axes' rests are learned again.
    if (paused_) {
        reader_.Resumed();
        paused_ = false;
    }

    // Unsigned difference: the tick count wraps after 49.7 days and the display keeps coming.
    if (clock_.ticks() - poll_.LastRateTick > 1000u) {
        ShowPollRate(poll_.PollCount);
        poll_.PollCount = -1;
        poll_.LastRateTick = clock_.ticks();
    }
    ++poll_.PollCount;

    const PadSnapshot pad = reader_.ReadPad(0);
    // Each control in use: whether it is held now, and the key the map gives it now. Buttons above
    // the count are neither held nor mapped, so a key they still hold down is let go.
    std::array<bool, kControlCount> held{};
    std::array<uint8_t, kControlCount> key{};
    held[kControlLeft] = pad.DirX == -1, key[kControlLeft] = KeyByte(state_.DirKeys[kLeft]);
    held[kControlRight] = pad.DirX == 1, key[kControlRight] = KeyByte(state_.DirKeys[kRight]);
    held[kControlUp] = pad.DirY == -1, key[kControlUp] = KeyByte(state_.DirKeys[kUp]);
    held[kControlDown] = pad.DirY == 1, key[kControlDown] = KeyByte(state_.DirKeys[kDown]);
    const int32_t buttons = std::clamp<int32_t>(state_.Buttons, 0, kMaxButtons);
    // The template button is never a key: it stays up for the key phases, whatever Buttons is, and
    // each press of it is handed to the UI thread, which switches the template.
    int32_t template_button = 0;
    if (const int32_t t = state_.TemplateButton; t >= 1 && t <= kMaxButtons) {
        const auto down = static_cast<int16_t>(ButtonBit(t, pad.ButtonMask));
        if (down == 1 && prev_template_button_ != 1 && template_signal_ != nullptr) template_signal_->post();
        prev_template_button_ = down;
        template_button = t;
    }
    for (int32_t i = 1; i <= buttons; ++i) {
        held[kControlButton1 + i - 1] = i != template_button && ButtonBit(i, pad.ButtonMask) == 1;
        key[kControlButton1 + i - 1] = KeyByte(state_.ButtonKeys[i]);
    }
    if (state_.AllAxes == 1) {
        for (int a = 0; a < kAxisControls; ++a) {
            held[kControlAxis1 + a] = (pad.AxisMask >> a & 1u) != 0;
            key[kControlAxis1 + a] = KeyByte(state_.AxisKeys[a]);
        }
    }

    const bool repeat = state_.Repeat == 1;
    const bool release_all = repeat && state_.Keyup == 1;

    // All releases before any press. A key that went down with another code than the map's now
    // (the map changed while the control was held) comes up, and the new one goes down below.
    KeyBatch batch(keys_);
    for (int c = 0; c < kControlCount; ++c) {
        const uint8_t down = poll_.Down[c];
        if (down != 0 && (release_all || !held[c] || down != key[c])) {
            batch.send(down, true);
            poll_.Down[c] = 0;
        }
    }
    for (int c = 0; c < kControlCount; ++c) {
        if (held[c] && key[c] != 0 && (repeat || poll_.Down[c] == 0)) {
            batch.send(key[c], false);
            poll_.Down[c] = key[c];
        }
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
    KeyBatch batch(keys_);
    for (uint8_t& down : poll_.Down) {
        if (down != 0) {
            batch.send(down, true);
            down = 0;
        }
    }
}

}  // namespace pwstd
