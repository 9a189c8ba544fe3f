#include "engine/bindings/controls.h"

#include <array>
#include <cstddef>

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

HatDirection HatDirections(int32_t hat) {
    // Clockwise from up, one entry every 45 degrees.
    static constexpr std::array<HatDirection, 8> kEighths = {{
        {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1},
    }};
    if (hat < 0 || hat >= 36000) return {};
    return kEighths[static_cast<std::size_t>((hat + 2250) / 4500 % 8)];
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

HatDirection StickDirections(const PadState& state, int32_t kando, bool hat) {
    HatDirection d{AxisDirection(state.axis[kAxisX], kando), AxisDirection(state.axis[kAxisY], kando)};
    if (hat && (d.x == 0 || d.y == 0)) {
        const HatDirection h = HatDirections(state.hat);
        if (d.x == 0) d.x = h.x;
        if (d.y == 0) d.y = h.y;
    }
    return d;
}

uint32_t AxisEnds(const PadState& state, int32_t kando) {
    uint32_t ends = 0;
    for (int a = 0; a < kExtraAxes; ++a) {
        const int axis = kFirstExtraAxis + a;
        ends |= AxisHeld(state.rest[axis], state.axis[axis], kando) << (2 * a);
    }
    return ends;
}

uint64_t HeldControls(const PadState& state, int32_t kando, bool hat, bool axes) {
    const HatDirection d = StickDirections(state, kando, hat);
    uint64_t held = 0;
    if (d.x == -1) held |= uint64_t{1} << kControlLeft;
    if (d.x == 1) held |= uint64_t{1} << kControlRight;
    if (d.y == -1) held |= uint64_t{1} << kControlUp;
    if (d.y == 1) held |= uint64_t{1} << kControlDown;
    held |= static_cast<uint64_t>(state.buttons & ((1u << kMaxButtons) - 1)) << kControlButton1;
    if (axes) held |= static_cast<uint64_t>(AxisEnds(state, kando)) << kControlAxis1;
    return held;
}

}  // namespace pwstd
