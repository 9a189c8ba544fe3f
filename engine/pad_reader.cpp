#include "engine/pad_reader.h"

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

PadReader::PadReader(PadSource& source, Clock& clock, const Relaxed<int32_t>& kando)
    : source_(source), clock_(clock), kando_(kando) {}

namespace {
uint64_t Gate(uint32_t epoch, uint32_t ticks) { return static_cast<uint64_t>(epoch) << 32 | ticks; }
}  // namespace

void PadReader::DeviceChanged() { epoch_.fetch_add(1); }

uint32_t PadReader::Read(int32_t id, JoyReading& reading) {
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
    uint32_t code;
    try {
        code = source_.read(id, reading);
    } catch (...) {
        code = static_cast<uint32_t>(kReaderFailure);
    }
    if (code != 0) {
        gate_.store(Gate(epoch, clock_.ticks()));
        failing_code_.store(code);
    } else {
        failing_code_.store(0);
    }
    return code;
}

PadSnapshot PadReader::ReadPad(int32_t id) {
    PadSnapshot snapshot;
    JoyReading reading;
    const uint32_t code = Read(id, reading);
    if (code != 0) {
        snapshot.ReadError = static_cast<int32_t>(code);
        return snapshot;
    }
    const int32_t kando = kando_;
    snapshot.DirX = AxisDirection(reading.Xpos, kando);
    snapshot.DirY = AxisDirection(reading.Ypos, kando);
    snapshot.ButtonMask = reading.Buttons;
    return snapshot;
}

int32_t PadReader::ReadPadX(int32_t id) {
    JoyReading reading;
    return Read(id, reading) != 0 ? 0 : AxisDirection(reading.Xpos, kando_);
}

int32_t PadReader::ReadPadY(int32_t id) {
    JoyReading reading;
    return Read(id, reading) != 0 ? 0 : AxisDirection(reading.Ypos, kando_);
}

uint32_t PadReader::ReadPadButtons(int32_t id) {
    JoyReading reading;
    return Read(id, reading) != 0 ? 0u : reading.Buttons;
}

}  // namespace pwstd
