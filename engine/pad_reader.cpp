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

void PadReader::DeviceChanged() { device_changed_.store(true, std::memory_order_relaxed); }

uint32_t PadReader::Read(int32_t id, JoyReading& reading) {
    const uint32_t failing = failing_code_.load(std::memory_order_relaxed);
    if (failing != 0) {
        const bool changed = device_changed_.exchange(false, std::memory_order_relaxed);
        const uint32_t since = clock_.ticks() - failed_at_.load(std::memory_order_relaxed);
        if (!changed && since < kRetryAfterMs) return failing;
    }
    uint32_t code;
    try {
        code = source_.read(id, reading);
    } catch (...) {
        code = static_cast<uint32_t>(kReaderFailure);
    }
    if (code != 0) {
        failed_at_.store(clock_.ticks(), std::memory_order_relaxed);
        failing_code_.store(code, std::memory_order_relaxed);
    } else {
        failing_code_.store(0, std::memory_order_relaxed);
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
