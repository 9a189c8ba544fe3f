#include "engine/poll_cycle.h"

#include <algorithm>
#include <array>

namespace pwstd {
namespace {

// The four directions in the order keys are sent: left, right, up, down.
struct DirectionControl {
    int axis;    // 0 = X, 1 = Y
    int16_t at;  // the axis value at which the control is held
    int key;     // index into DirKeys
};
constexpr std::array<DirectionControl, 4> kDirections = {{
    {0, -1, kLeft},
    {0, +1, kRight},
    {1, -1, kUp},
    {1, +1, kDown},
}};

uint8_t KeyByte(int32_t code) { return static_cast<uint8_t>(code); }

constexpr uint64_t kRatePending = uint64_t{1} << 48;

}  // namespace

std::string PollRateTip(int32_t n) {
    // The count as the rate display has always shown it: one leading space for a number >= 0.
    return std::string(kRunningTip) + (n >= 0 ? " " : "") + std::to_string(n) + "FPS";
}

PollCycle::PollCycle(SharedState& state, PadReader& reader, KeySink& keys, Clock& clock,
                     RateSignal& rate)
    : state_(state), reader_(reader), keys_(keys), clock_(clock), rate_(rate) {}

void PollCycle::PadTimerProc() {
    if (state_.PadActive == False) return;

    // Unsigned difference: the tick count wraps after 49.7 days and the display keeps coming.
    if (clock_.ticks() - poll_.LastRateTick > 1000u) {
        ShowPollRate(poll_.PollCount);
        poll_.PollCount = -1;
        poll_.LastRateTick = clock_.ticks();
    }
    ++poll_.PollCount;

    const PadSnapshot pad = reader_.ReadPad(0);
    const std::array<int16_t, 2> dir = {static_cast<int16_t>(pad.DirX), static_cast<int16_t>(pad.DirY)};
    const int32_t buttons = std::clamp<int32_t>(state_.Buttons, 0, kMaxButtons);
    std::array<int16_t, kMaxButtons + 1> button{};
    for (int32_t i = 1; i <= buttons; ++i) button[i] = static_cast<int16_t>(ButtonBit(i, pad.ButtonMask));
    // The template button is never a key: it stays up for the key phases, whatever Buttons is, and
    // each press of it is handed to the UI thread, which switches the template.
    if (const int32_t t = state_.TemplateButton; t >= 1 && t <= kMaxButtons) {
        const auto down = static_cast<int16_t>(ButtonBit(t, pad.ButtonMask));
        if (down == 1 && prev_template_button_ != 1 && template_signal_ != nullptr) template_signal_->post();
        prev_template_button_ = down;
        button[t] = 0;
    }

    const bool repeat = state_.Repeat == 1;
    const bool release_all = repeat && state_.Keyup == 1;

    for (const DirectionControl& d : kDirections) {
        const bool before = poll_.PrevDir[d.axis] == d.at;
        if (before && (release_all || dir[d.axis] != d.at)) keys_.send(KeyByte(state_.DirKeys[d.key]), true);
    }
    for (int32_t i = 1; i <= buttons; ++i) {
        const bool before = poll_.PrevButton[i] == 1;
        if (before && (release_all || button[i] != 1)) keys_.send(KeyByte(state_.ButtonKeys[i]), true);
    }

    for (const DirectionControl& d : kDirections) {
        const bool now = dir[d.axis] == d.at;
        if (now && (repeat || poll_.PrevDir[d.axis] != d.at)) keys_.send(KeyByte(state_.DirKeys[d.key]), false);
    }
    for (int32_t i = 1; i <= buttons; ++i) {
        const bool now = button[i] == 1;
        if (now && (repeat || poll_.PrevButton[i] != 1)) keys_.send(KeyByte(state_.ButtonKeys[i]), false);
    }

    poll_.PrevDir = dir;
    for (int32_t i = 1; i <= buttons; ++i) poll_.PrevButton[i] = button[i];
}

void PollCycle::ShowPollRate(const int32_t& n) {
    int16_t frame = static_cast<int16_t>(state_.IconFrame + 1);
    if (frame >= 5) frame = 1;
    state_.IconFrame = frame;
    const uint64_t display =
        kRatePending | uint64_t{static_cast<uint16_t>(frame)} << 32 | static_cast<uint32_t>(n);
    // Signalled only when nothing was waiting: a waiting display already has its signal queued.
    if (pending_rate_.exchange(display) == 0) rate_.post();
}

std::optional<PollRate> PollCycle::TakePollRate() {
    const uint64_t display = pending_rate_.exchange(0);
    if (display == 0) return std::nullopt;
    return PollRate{static_cast<int16_t>(static_cast<uint16_t>(display >> 32)),
                    static_cast<int32_t>(static_cast<uint32_t>(display))};
}

void PollCycle::ReleaseHeld() {
    for (const DirectionControl& d : kDirections) {
        if (poll_.PrevDir[d.axis] == d.at) keys_.send(KeyByte(state_.DirKeys[d.key]), true);
    }
    // Every button still marked held, also those above a lowered button count: their keys are
    // down in the system all the same.
    for (int32_t i = 1; i <= kMaxButtons; ++i) {
        if (poll_.PrevButton[i] == 1) keys_.send(KeyByte(state_.ButtonKeys[i]), true);
    }
    poll_.PrevDir = {};
    poll_.PrevButton = {};
}

}  // namespace pwstd
