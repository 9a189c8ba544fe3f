#pragma once
// The one place that reads pads: it orders the backends (an XInput pad, when there is one, before
// the joystick service), holds the pad in use, leaves a failing one alone for a while, and knows
// when a new pad was found, whose capabilities it then asks and whose rests it learns. Each call
// makes its own reading into its own record, so the poll cycle (timer thread) and the test panel
// (UI thread) never mix two readings; what they share is kept in whole words.
#include <atomic>
#include <cstdint>

#include "engine/input/pad_backend.h"
#include "engine/input/pad_state.h"
#include "engine/ports.h"

namespace pwstd {

// What a reading is to fetch and which pads it may use, fixed when the pipeline is built.
struct InputOptions {
    bool hat = false;           // the hat is read where the pad has one
    bool extra_axes = false;    // Z, R, U and V are read, with their rests
    bool any_joystick = false;  // when joystick 0 gives no reading, the lowest id that does
};

struct PadReading {
    uint32_t code = 0;  // 0, or the failure's code: then `state` is the pad at rest
    PadState state;
    // Changes each time a new pad is found: another source or joystick id, the pad back after it
    // was away, after a resume. What a control held on the pad before is no longer held.
    uint32_t generation = 0;
};

// The rest an axis has when its first reading is `position`: 16384..49151 is the centre, anything
// else the end it is at.
AxisRest RestOf(uint32_t position);

class Pads {
public:
    // `xinput` is null where XInput is not used (the option off, or no XInput library).
    Pads(PadBackend& joystick, PadBackend* xinput, Clock& clock, InputOptions options);

    // How many pads are read; pad 0 is the first. Today one.
    int32_t count() const { return 1; }
    // One reading of pad `pad`. Joystick 0 is read, or with any_joystick the lowest that gave a
    // reading at the last search (the search runs at the first reading, after a device change and
    // whenever that joystick fails). An XInput pad, while one is connected, is read in its place;
    // the search for one runs at the first reading, after each device change and every
    // kXInputSearchEveryMs while none is connected. Any thread.
    PadReading Read(int32_t pad);

    // A device was added or removed (WM_DEVICECHANGE): the next reading asks the services again
    // even while a failed pad is being left alone, and asks the pad's capabilities again. A pad
    // that keeps answering keeps its rests. Any thread.
    void DeviceChanged();
    // The pad runs again after a pause (it may have been swapped meanwhile): the next reading finds
    // it anew and learns its rests again. Any thread.
    void Resumed();

    // How long a pad that failed is left alone before it is asked again. A disconnected joystick
    // can make each call take hundreds of milliseconds on some systems.
    static constexpr uint32_t kRetryAfterMs = 1000;
    // Asking four empty XInput slots is slow: a search for a pad runs this seldom.
    static constexpr uint32_t kXInputSearchEveryMs = 3000;
    // The code of a reading whose backend failed in an unexpected way (threw).
    static constexpr int32_t kReaderFailure = 51;
    // The code of the reading that finds an XInput pad gone, as the joystick service says
    // "unplugged".
    static constexpr uint32_t kDisconnected = 167;
    // The most joystick ids a search asks, whatever the service claims: the multimedia joystick
    // service numbers at most 16.
    static constexpr int32_t kMaxJoysticks = 16;
    // Consecutive failed calls after which the pad counts as away: one failure that the next call
    // answers is a hiccup of the same pad; a pad unplugged still fails when asked again a second
    // later (or at once, at the device change its removal sends).
    static constexpr uint32_t kAwayAfterFailures = 2;

private:
    // A reading of the pad in use, or the remembered failure while backing off; `source` says who
    // answered: (backend << 8 | index) + 1; `epoch` the device epoch the reading was made in.
    uint32_t Fetch(PadState& state, uint32_t& source, uint32_t& epoch);
    uint32_t FetchJoystick(uint32_t epoch, const PadQuery& query, PadState& state, uint32_t& source);
    // The XInput pad in use or found by a search now; false when there is none to read.
    bool FetchXInput(uint32_t epoch, const PadQuery& query, PadState& state, uint32_t& source, uint32_t& code);
    uint32_t Call(PadBackend& backend, int32_t index, const PadQuery& query, PadState& state);
    void Failed(uint32_t epoch, uint32_t code);
    // A good reading from `source`: whether it is a new pad, its capabilities and rests.
    uint32_t Found(uint32_t epoch, uint32_t source, PadState& state);
    PadCaps AskCaps(uint32_t source);

    PadBackend& joystick_;
    PadBackend* xinput_;
    Clock& clock_;
    const InputOptions options_;

    std::atomic<uint32_t> failing_code_{0};  // nonzero while the pad is being left alone
    // The tick count and device epoch of the last failed call, or of the retry a thread has
    // claimed: epoch << 32 | ticks. One word, so exactly one thread can claim each retry.
    std::atomic<uint64_t> gate_{0};
    std::atomic<uint32_t> epoch_{0};  // counts DeviceChanged calls
    std::atomic<uint32_t> misses_{0};  // consecutive failed calls
    std::atomic<bool> resumed_{false};
    // The joystick any_joystick found and the epoch of its search: epoch << 32 | (id + 1).
    std::atomic<uint64_t> found_{0};
    // The XInput user in use, -1 while none; epoch << 32 | ticks of the last search for one.
    std::atomic<int32_t> xuser_{-1};
    std::atomic<uint64_t> xsearched_{0};
    // generation << 32 | source of the pad last found.
    std::atomic<uint64_t> pad_{0};
    // The capabilities last asked (the axis bits, the hat, its fine angle, and that they were
    // asked) and for which epoch and source:
    // epoch << 32 | source; 0 until asked, and again after a failure.
    std::atomic<uint32_t> caps_{0};
    std::atomic<uint64_t> caps_asked_{0};
    // generation << 32 | the rests of the four extra axes, four bits each.
    std::atomic<uint64_t> rests_{0};
};

}  // namespace pwstd
