#include "engine/axis_controls.h"

#include "engine/pad_reader.h"

namespace pwstd {

AxisRest RestOf(uint32_t position) {
    if (position >= 16384 && position <= 49151) return AxisRest::Centre;
    return position < 16384 ? AxisRest::Low : AxisRest::High;
}

bool HasAxis(const JoyCaps& caps, int axis) {
    static constexpr uint32_t kBits[kExtraAxes] = {kJoyCapsHasZ, kJoyCapsHasR, kJoyCapsHasU,
                                                   kJoyCapsHasV};
    // X and Y come first in the count; an extra axis needs both its bit and room in the count.
    return axis >= 0 && axis < kExtraAxes && (caps.caps & kBits[axis]) != 0 && caps.axes > 2;
}

uint32_t AxisPosition(const JoyReading& reading, int axis) {
    switch (axis) {
        case 0: return reading.Zpos;
        case 1: return reading.Rpos;
        case 2: return reading.Upos;
        default: return reading.Vpos;
    }
}

uint32_t AxisHeld(AxisRest rest, uint32_t position, int32_t kando) {
    switch (rest) {
        case AxisRest::Centre: {
            const int32_t direction = AxisDirection(position, kando);
            return direction == -1 ? 1u : direction == 1 ? 2u : 0u;
        }
        case AxisRest::Low: return position > 32767 ? 2u : 0u;
        case AxisRest::High: return position < 32768 ? 1u : 0u;
        default: return 0;
    }
}

void AxisControls::Forget() { generation_.fetch_add(1); }

uint64_t AxisControls::Learn(const JoyCaps& caps, const JoyReading& reading, uint32_t generation) {
    uint64_t word = static_cast<uint64_t>(generation) << 32;
    for (int axis = 0; axis < kExtraAxes; ++axis) {
        const AxisRest rest = HasAxis(caps, axis) ? RestOf(AxisPosition(reading, axis)) : AxisRest::Absent;
        word |= static_cast<uint64_t>(rest) << (4 * axis);
    }
    return word;
}

uint32_t AxisControls::Held(const JoyCaps& caps, const JoyReading& reading, int32_t kando) {
    const uint32_t generation = generation_.load();
    uint64_t word = learned_.load();
    if (static_cast<uint32_t>(word >> 32) != generation) {
        word = Learn(caps, reading, generation);
        learned_.store(word);
    }
    uint32_t held = 0;
    for (int axis = 0; axis < kExtraAxes; ++axis) {
        const auto rest = static_cast<AxisRest>((word >> (4 * axis)) & 0xF);
        held |= AxisHeld(rest, AxisPosition(reading, axis), kando) << (2 * axis);
    }
    return held;
}

}  // namespace pwstd
