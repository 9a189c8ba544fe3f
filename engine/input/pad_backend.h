#pragma once
// One service that reads pads (the joystick service, XInput), as the engine needs it. Each
// implementation translates its service's records into PadState; its constants stay inside it.
#include <cstdint>

#include "engine/input/pad_state.h"

namespace pwstd {

class PadBackend {
public:
    virtual ~PadBackend() = default;
    // How many pads the service can name; they are numbered 0 up to this less 1. Any thread.
    virtual int32_t count() = 0;
    // Reads pad `index` once into `out`: 0 on success, else the service's nonzero code (for
    // example 167 when unplugged), `out` then unspecified. What `query` does not ask for reads at
    // rest. Called from the timer thread and the UI thread, possibly at the same moment: an
    // implementation fills only `out`, never a record shared between calls.
    virtual uint32_t read(int32_t index, const PadQuery& query, PadState& out) = 0;
    // What pad `index` has: 0 on success, else the service's code and `out` unspecified. Any thread.
    virtual uint32_t caps(int32_t index, PadCaps& out) = 0;
};

}  // namespace pwstd
