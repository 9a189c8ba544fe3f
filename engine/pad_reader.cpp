#include "engine/pad_reader.h"

#include <array>

namespace pwstd {

int32_t AxisDirection(uint32_t position, int32_t kando) {
    const auto p = static_cast<int32_t>(position);
    if (p < kando) return -1;
    if (p > 65536 - kando) return 1;
    return 0;
}

int32_t ButtonBit(int32_t i, uint32_t mask) {
    if (i < 1 || i > 32) return 0;
    return static_cast<int32_t>((mask >> (i - 1)) & 1u);
}

HatDirection HatDirections(uint32_t pov) {
    // Clockwise from up, one entry every 45 degrees.
    static constexpr std::array<HatDirection, 8> kEighths = {{
        {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1},
    }};
    if (pov >= 36000) return {};
    return kEighths[(pov + 2250) / 4500 % 8];
}

namespace {

uint64_t Gate(uint32_t epoch, uint32_t ticks) { return static_cast<uint64_t>(epoch) << 32 | ticks; }
uint64_t Found(uint32_t epoch, int32_t id) {
    return static_cast<uint64_t>(epoch) << 32 | static_cast<uint32_t>(id + 1);
}

// With the hat, an axis the stick leaves centred takes the hat's direction; one the stick deflects
// keeps the stick's.
int32_t XDirection(const JoyReading& r, int32_t kando, bool pov) {
    const int32_t stick = AxisDirection(r.Xpos, kando);
    return pov && stick == 0 ? HatDirections(r.Pov).x : stick;
}
int32_t YDirection(const JoyReading& r, int32_t kando, bool pov) {
    const int32_t stick = AxisDirection(r.Ypos, kando);
    return pov && stick == 0 ? HatDirections(r.Pov).y : stick;
}

}  // namespace

PadReader::PadReader(PadSource& source, Clock& clock, const SharedState& state)
    : source_(source),
      clock_(clock),
      kando_(state.Kando),
      pov_stick_(state.PovStick),
      any_joystick_(state.AnyJoystick),
      all_axes_(state.AllAxes) {}

void PadReader::DeviceChanged() {
    epoch_.fetch_add(1);
    axes_.Forget();
}

void PadReader::Resumed() { axes_.Forget(); }

uint32_t PadReader::Call(int32_t id, uint32_t flags, JoyReading& reading) {
    try {
        return source_.read(id, flags, reading);
    } catch (...) {
        return static_cast<uint32_t>(kReaderFailure);
    }
}

void PadReader::AskCaps(int32_t id) {
    JoyCaps caps;
    uint32_t code = 0;
    try {
        code = source_.caps(id, caps);
    } catch (...) {
        code = static_cast<uint32_t>(kReaderFailure);
    }
    // A joystick that cannot tell is taken to have no hat: a hat it lacks could read "up".
    if (code != 0) caps = {};
    caps_.store(static_cast<uint64_t>(caps.axes) << 32 | caps.caps);
}

uint32_t PadReader::Read(int32_t id, bool pov, JoyReading& reading) {
    const uint32_t failing = failing_code_.load();
    if (failing != 0) {
        uint64_t gate = gate_.load();
        const uint32_t epoch = epoch_.load();
        const uint32_t now = clock_.ticks();
        const bool changed = static_cast<uint32_t>(gate >> 32) != epoch;
        if (!changed && now - static_cast<uint32_t>(gate) < kRetryAfterMs) return failing;
        // Time to ask again. Whoever claims the retry makes the one real call; a reader on the
        // other thread meanwhile keeps the failure.
        if (!gate_.compare_exchange_strong(gate, Gate(epoch, now))) return failing;
    }
    // A device change during the call below is not covered by it: the epoch is taken first.
    const uint32_t epoch = epoch_.load();
    uint32_t flags = pov ? kJoyReturnXYButtons | kJoyReturnPov : kJoyReturnXYButtons;
    if (all_axes_ == 1) flags |= kJoyReturnZRUV;
    int32_t used = id;
    const uint32_t code =
        any_joystick_ == 1 ? ReadAny(epoch, flags, reading, used) : Call(id, flags, reading);
    if (code != 0) {
        axes_.Forget();
        gate_.store(Gate(epoch, clock_.ticks()));
        failing_code_.store(code);
        caps_asked_.store(0);  // the pad found next is asked again
        return code;
    }
    failing_code_.store(0);
    if (pov || all_axes_ == 1) {
        // The capabilities of the pad just found, or of the one that answers after a device
        // change: one call serves the hat and the extra axes. A failed call counts as asked: the
        // pad is taken to have neither until then.
        const uint64_t asked = Found(epoch, used);
        if (caps_asked_.load() != asked) {
            AskCaps(used);
            caps_asked_.store(asked);
        }
        if (pov && (caps_.load() & kJoyCapsHasPov) == 0) reading.Pov = kJoyPovCentered;
    }
    return 0;
}

uint32_t PadReader::ReadAny(uint32_t epoch, uint32_t flags, JoyReading& reading, int32_t& read_id) {
    const uint64_t found = found_.load();
    int32_t tried = -1;
    uint32_t first_code = 0;
    if (found != 0 && static_cast<uint32_t>(found >> 32) == epoch) {
        tried = static_cast<int32_t>(static_cast<uint32_t>(found)) - 1;
        first_code = Call(tried, flags, reading);
        if (first_code == 0) {
            read_id = tried;
            return 0;
        }
    }
    // Joystick 0 is always asked; how many ids there are matters only once it has failed.
    int32_t ids = 1;
    for (int32_t id = 0; id < ids; ++id) {
        if (id != tried) {
            const uint32_t code = Call(id, flags, reading);
            if (code == 0) {
                found_.store(Found(epoch, id));
                read_id = id;
                return 0;
            }
            if (first_code == 0) first_code = code;
        }
        if (id == 0) {
            uint32_t count = 1;
            try {
                count = source_.joysticks();
            } catch (...) {
            }
            ids = count > static_cast<uint32_t>(kMaxJoysticks) ? kMaxJoysticks
                                                               : static_cast<int32_t>(count);
        }
    }
    // None answers: the next search starts from joystick 0 again, unless the other thread has
    // found one meanwhile.
    uint64_t expected = found;
    found_.compare_exchange_strong(expected, 0);
    return first_code;
}

PadSnapshot PadReader::ReadPad(int32_t id) {
    PadSnapshot snapshot;
    JoyReading reading;
    const bool pov = pov_stick_ == 1;
    const bool all_axes = all_axes_ == 1;
    const uint32_t code = Read(id, pov, reading);
    if (code != 0) {
        snapshot.ReadError = static_cast<int32_t>(code);
        return snapshot;
    }
    const int32_t kando = kando_;
    snapshot.DirX = XDirection(reading, kando, pov);
    snapshot.DirY = YDirection(reading, kando, pov);
    snapshot.ButtonMask = reading.Buttons;
    if (all_axes) {
        const uint64_t caps = caps_.load();
        snapshot.AxisMask = axes_.Held({static_cast<uint32_t>(caps >> 32), static_cast<uint32_t>(caps)}, reading, kando);
    }
    return snapshot;
}

int32_t PadReader::ReadPadX(int32_t id) {
    JoyReading reading;
    const bool pov = pov_stick_ == 1;
    return Read(id, pov, reading) != 0 ? 0 : XDirection(reading, kando_, pov);
}

int32_t PadReader::ReadPadY(int32_t id) {
    JoyReading reading;
    const bool pov = pov_stick_ == 1;
    return Read(id, pov, reading) != 0 ? 0 : YDirection(reading, kando_, pov);
}

uint32_t PadReader::ReadPadButtons(int32_t id) {
    JoyReading reading;
    return Read(id, pov_stick_ == 1, reading) != 0 ? 0u : reading.Buttons;
}

}  // namespace pwstd
