#pragma once
// The joystick as the readers see it with "XInput" on: the first connected XInput pad while there
// is one, the joystick service otherwise. The search for a connected pad runs at the first reading,
// after each device change and at most once a second while none is connected, so an absent pad
// costs a poll nothing.
#include <atomic>
#include <cstdint>

#include "engine/ports.h"
#include "engine/shared_state.h"

namespace pwstd {

class XInputPadSource final : public PadSource {
public:
    // `xinput` is null where no XInput library loaded: then, as with the option off, every call
    // goes to `joystick`. XInput of `state` is read at every call.
    XInputPadSource(PadSource& joystick, XInputPort* xinput, Clock& clock, const SharedState& state);

    // The XInput pad's state presented as a joystick reading; a pad that disconnects gives one
    // failed reading (kDisconnected), and the joystick service is read again until a search finds
    // a pad. Every id reads the same XInput pad.
    uint32_t read(int32_t id, uint32_t flags, JoyReading& out) override;
    uint32_t joysticks() override;
    uint32_t caps(int32_t id, JoyCaps& out) override;

    // A device was added or removed: the next reading searches again. Any thread.
    void DeviceChanged();

    static constexpr int kUsers = 4;
    static constexpr uint32_t kSearchEveryMs = 1000;
    static constexpr uint32_t kDisconnected = 167;  // as the joystick service says "unplugged"

private:
    bool On() const;
    // The first connected user and its state, or -1.
    int32_t Search(XInputPad& pad);

    PadSource& joystick_;
    XInputPort* xinput_;
    Clock& clock_;
    const Relaxed<int16_t>& option_;
    std::atomic<int32_t> user_{-1};  // the pad in use, -1 while none
    std::atomic<uint32_t> epoch_{1};  // counts device changes; 1 makes the first reading search
    // epoch << 32 | ticks of the last search.
    std::atomic<uint64_t> searched_{0};
};

}  // namespace pwstd
