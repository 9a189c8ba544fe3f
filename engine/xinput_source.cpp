#include "engine/xinput_source.h"

#include "engine/xinput_map.h"

namespace pwstd {

XInputPadSource::XInputPadSource(PadSource& joystick, XInputPort* xinput, Clock& clock,
                                 const SharedState& state)
    : joystick_(joystick), xinput_(xinput), clock_(clock), option_(state.XInput) {}

bool XInputPadSource::On() const { return xinput_ != nullptr && option_ == 1; }

void XInputPadSource::DeviceChanged() { epoch_.fetch_add(1); }

int32_t XInputPadSource::Search(XInputPad& pad) {
    for (int32_t user = 0; user < kUsers; ++user) {
        if (xinput_->state(static_cast<uint32_t>(user), pad) == 0) return user;
    }
    return -1;
}

uint32_t XInputPadSource::read(int32_t id, uint32_t flags, JoyReading& out) {
    if (!On()) return joystick_.read(id, flags, out);
    XInputPad pad;
    int32_t user = user_.load();
    if (user >= 0) {
        if (xinput_->state(static_cast<uint32_t>(user), pad) != 0) {
            // Gone: this reading fails, so what it held is let go; a second of the joystick
            // service follows before the next search.
            user_.compare_exchange_strong(user, -1);
            searched_.store(static_cast<uint64_t>(epoch_.load()) << 32 | clock_.ticks());
            return kDisconnected;
        }
        out = XInputReading(pad);
        return 0;
    }
    const uint32_t epoch = epoch_.load();
    const uint32_t now = clock_.ticks();
    uint64_t searched = searched_.load();
    const bool due = static_cast<uint32_t>(searched >> 32) != epoch ||
                     now - static_cast<uint32_t>(searched) >= kSearchEveryMs;
    // One thread searches; a reader on the other thread meanwhile reads the joystick service.
    if (due && searched_.compare_exchange_strong(searched, static_cast<uint64_t>(epoch) << 32 | now)) {
        user = Search(pad);
        if (user >= 0) {
            user_.store(user);
            out = XInputReading(pad);
            return 0;
        }
    }
    return joystick_.read(id, flags, out);
}

uint32_t XInputPadSource::joysticks() { return joystick_.joysticks(); }

uint32_t XInputPadSource::caps(int32_t id, JoyCaps& out) {
    if (On() && user_.load() >= 0) {
        out = XInputCaps();
        return 0;
    }
    return joystick_.caps(id, out);
}

}  // namespace pwstd
