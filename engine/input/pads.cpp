#include "engine/input/pads.h"

#include <algorithm>

namespace pwstd {

namespace {

constexpr uint32_t kJoystickBackend = 0;
constexpr uint32_t kXInputBackend = 1;

// Capabilities in one word: the axis bits, the hat, its fine angle, and that they were asked.
constexpr uint32_t kCapsHat = 1u << 8;
constexpr uint32_t kCapsHatFine = 1u << 9;
constexpr uint32_t kCapsKnown = 1u << 31;

uint32_t Source(uint32_t backend, int32_t index) { return (backend << 8 | static_cast<uint32_t>(index)) + 1; }
uint32_t SourceBackend(uint32_t source) { return (source - 1) >> 8; }
int32_t SourceIndex(uint32_t source) { return static_cast<int32_t>((source - 1) & 0xFF); }

uint64_t Gate(uint32_t epoch, uint32_t ticks) { return static_cast<uint64_t>(epoch) << 32 | ticks; }
uint64_t FoundId(uint32_t epoch, int32_t id) {
    return static_cast<uint64_t>(epoch) << 32 | static_cast<uint32_t>(id + 1);
}

uint32_t CapsWord(const PadCaps& caps) {
    return kCapsKnown | (caps.axes & 0xFF) | (caps.hat ? kCapsHat : 0) | (caps.hat_fine ? kCapsHatFine : 0);
}

uint64_t Learn(uint32_t caps, const PadState& state, uint32_t generation) {
    uint64_t word = static_cast<uint64_t>(generation) << 32;
    for (int a = 0; a < kExtraAxes; ++a) {
        const int axis = kFirstExtraAxis + a;
        const AxisRest rest = (caps & AxisBit(axis)) != 0 ? RestOf(state.axis[axis]) : AxisRest::Absent;
        word |= static_cast<uint64_t>(rest) << (4 * a);
    }
    return word;
}

}  // namespace

AxisRest RestOf(uint32_t position) {
    if (position >= 16384 && position <= 49151) return AxisRest::Centre;
    return position < 16384 ? AxisRest::Low : AxisRest::High;
}

Pads::Pads(PadBackend& joystick, PadBackend* xinput, Clock& clock, InputOptions options)
    : joystick_(joystick), xinput_(xinput), clock_(clock), options_(options) {}

void Pads::DeviceChanged() { epoch_.fetch_add(1); }

void Pads::Resumed() { resumed_.store(true); }

uint32_t Pads::Call(PadBackend& backend, int32_t index, const PadQuery& query, PadState& state) {
    try {
        return backend.read(index, query, state);
    } catch (...) {
        return static_cast<uint32_t>(kReaderFailure);
    }
}

PadCaps Pads::AskCaps(uint32_t source) {
    PadBackend& backend = SourceBackend(source) == kXInputBackend && xinput_ ? *xinput_ : joystick_;
    PadCaps caps;
    uint32_t code = 0;
    try {
        code = backend.caps(SourceIndex(source), caps);
    } catch (...) {
        code = static_cast<uint32_t>(kReaderFailure);
    }
    // A pad that cannot tell is taken to have no hat and no extra axis: a hat it lacks could read
    // "up", and an axis it lacks could read as held.
    if (code != 0) caps = {};
    return caps;
}

PadReading Pads::Read(int32_t pad) {
    (void)pad;  // one pad today
    PadReading reading;
    uint32_t source = 0;
    PadState state;
    uint32_t epoch = 0;
    const uint32_t code = Fetch(state, source, epoch);
    if (code != 0) {
        reading.code = code;
        reading.generation = static_cast<uint32_t>(pad_.load() >> 32);
        return reading;
    }
    reading.generation = Found(epoch, source, state);
    reading.state = state;
    return reading;
}

uint32_t Pads::Fetch(PadState& state, uint32_t& source, uint32_t& read_epoch) {
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
    // A device change during the calls below is not covered by them: the epoch is taken first.
    const uint32_t epoch = epoch_.load();
    PadQuery query{options_.hat, false, options_.extra_axes};
    // The fine angle is asked of a pad whose capabilities say it gives one.
    query.hat_fine = options_.hat && caps_asked_.load() != 0 && (caps_.load() & kCapsHatFine) != 0;
    uint32_t code = 0;
    if (xinput_ == nullptr || !FetchXInput(epoch, query, state, source, code)) {
        code = FetchJoystick(epoch, query, state, source);
    }
    if (code != 0) {
        Failed(epoch, code);
        return code;
    }
    failing_code_.store(0);
    read_epoch = epoch;
    return 0;
}

bool Pads::FetchXInput(uint32_t epoch, const PadQuery& query, PadState& state, uint32_t& source, uint32_t& code) {
    int32_t user = xuser_.load();
    if (user >= 0) {
        code = Call(*xinput_, user, query, state);
        if (code != 0) {
            // Gone: this reading fails, so what it held is let go; the joystick service is read
            // until the next search finds a pad.
            xuser_.compare_exchange_strong(user, -1);
            xsearched_.store(Gate(epoch + 1, clock_.ticks()));
            code = kDisconnected;
        } else {
            source = Source(kXInputBackend, user);
        }
        return true;
    }
    // The epoch is stored one up, so that the first reading, at epoch 0, searches.
    const uint32_t now = clock_.ticks();
    uint64_t searched = xsearched_.load();
    const bool due = static_cast<uint32_t>(searched >> 32) != epoch + 1 ||
                     now - static_cast<uint32_t>(searched) >= kXInputSearchEveryMs;
    // One thread searches; a reader on the other thread meanwhile reads the joystick service.
    if (!due || !xsearched_.compare_exchange_strong(searched, Gate(epoch + 1, now))) return false;
    int32_t users = 0;
    try {
        users = std::clamp<int32_t>(xinput_->count(), 0, kMaxJoysticks);
    } catch (...) {
    }
    for (user = 0; user < users; ++user) {
        if (Call(*xinput_, user, query, state) == 0) {
            xuser_.store(user);
            source = Source(kXInputBackend, user);
            code = 0;
            return true;
        }
    }
    return false;
}

uint32_t Pads::FetchJoystick(uint32_t epoch, const PadQuery& query, PadState& state, uint32_t& source) {
    if (!options_.any_joystick) {
        source = Source(kJoystickBackend, 0);
        return Call(joystick_, 0, query, state);
    }
    const uint64_t found = found_.load();
    int32_t tried = -1;
    uint32_t first_code = 0;
    if (found != 0 && static_cast<uint32_t>(found >> 32) == epoch) {
        tried = static_cast<int32_t>(static_cast<uint32_t>(found)) - 1;
        first_code = Call(joystick_, tried, query, state);
        if (first_code == 0) {
            source = Source(kJoystickBackend, tried);
            return 0;
        }
    }
    // Joystick 0 is always asked; how many ids there are matters only once it has failed.
    int32_t ids = 1;
    for (int32_t id = 0; id < ids; ++id) {
        if (id != tried) {
            const uint32_t code = Call(joystick_, id, query, state);
            if (code == 0) {
                found_.store(FoundId(epoch, id));
                source = Source(kJoystickBackend, id);
                return 0;
            }
            if (first_code == 0) first_code = code;
        }
        if (id == 0) {
            int32_t count = 1;
            try {
                count = joystick_.count();
            } catch (...) {
            }
            ids = std::clamp<int32_t>(count, 0, kMaxJoysticks);
        }
    }
    // None answers: the next search starts from joystick 0 again, unless the other thread has
    // found one meanwhile.
    uint64_t expected = found;
    found_.compare_exchange_strong(expected, 0);
    return first_code;
}

void Pads::Failed(uint32_t epoch, uint32_t code) {
    gate_.store(Gate(epoch, clock_.ticks()));
    failing_code_.store(code);
    caps_asked_.store(0);  // the pad found next is asked again
    misses_.fetch_add(1);
}

uint32_t Pads::Found(uint32_t epoch, uint32_t source, PadState& state) {
    // Cleared only when set: a poll that finds its pad as before makes no read-modify-write.
    bool fresh = misses_.load() != 0 && misses_.exchange(0) >= kAwayAfterFailures;
    if (resumed_.load() && resumed_.exchange(false)) fresh = true;
    uint64_t pad = pad_.load();
    if (static_cast<uint32_t>(pad) != source) fresh = true;

    uint32_t caps = caps_.load();
    if (options_.hat || options_.extra_axes) {
        // Asked when a reading finds the pad, after a failure and after a device change; a failed
        // call counts as asked. Other capabilities than before make it another pad.
        const uint64_t key = static_cast<uint64_t>(epoch) << 32 | source;
        if (caps_asked_.load() != key) {
            const uint32_t asked = CapsWord(AskCaps(source));
            if ((caps & kCapsKnown) != 0 && asked != caps) fresh = true;
            caps = asked;
            caps_.store(caps);
            caps_asked_.store(key);
        }
    }

    uint32_t generation = static_cast<uint32_t>(pad >> 32);
    if (fresh) {
        const uint64_t next = static_cast<uint64_t>(generation + 1) << 32 | source;
        // The other thread may have found it first: then its generation holds.
        generation = pad_.compare_exchange_strong(pad, next) ? generation + 1 : static_cast<uint32_t>(pad >> 32);
    }

    if (options_.extra_axes) {
        uint64_t rests = rests_.load();
        if (static_cast<uint32_t>(rests >> 32) != generation) {
            rests = Learn(caps, state, generation);
            rests_.store(rests);
        }
        for (int a = 0; a < kExtraAxes; ++a) {
            state.rest[kFirstExtraAxis + a] = static_cast<AxisRest>((rests >> (4 * a)) & 0xF);
        }
    }
    if (!options_.hat || (caps & kCapsHat) == 0) state.hat = kHatCentred;
    return generation;
}

}  // namespace pwstd
