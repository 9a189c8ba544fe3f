#include "engine/input/joystick_service.h"

namespace pwstd {

uint32_t JoyServiceFlags(const PadQuery& query) {
    uint32_t flags = kJoyReturnXYButtons;
    if (query.hat) flags |= query.hat_fine ? kJoyReturnPov | kJoyReturnPovCts : kJoyReturnPov;
    if (query.extra_axes) flags |= kJoyReturnZRUV;
    return flags;
}

PadState JoyServiceState(const JoyServiceRecord& record, const PadQuery& query) {
    PadState state;
    state.axis[kAxisX] = record.x;
    state.axis[kAxisY] = record.y;
    state.buttons = record.buttons;
    if (query.hat && record.pov < 36000) state.hat = static_cast<int32_t>(record.pov);
    if (query.extra_axes) {
        state.axis[kAxisZ] = record.z;
        state.axis[kAxisR] = record.r;
        state.axis[kAxisU] = record.u;
        state.axis[kAxisV] = record.v;
    }
    return state;
}

PadCaps JoyServiceCaps(uint32_t num_axes, uint32_t wcaps) {
    static constexpr uint32_t kBits[kExtraAxes] = {kJoyCapsHasZ, kJoyCapsHasR, kJoyCapsHasU, kJoyCapsHasV};
    PadCaps caps;
    caps.axes = AxisBit(kAxisX) | AxisBit(kAxisY);
    if (num_axes > 2) {
        for (int a = 0; a < kExtraAxes; ++a) {
            if ((wcaps & kBits[a]) != 0) caps.axes |= AxisBit(kFirstExtraAxis + a);
        }
    }
    caps.hat = (wcaps & kJoyCapsHasPov) != 0;
    caps.hat_fine = caps.hat && (wcaps & kJoyCapsPovCts) != 0;
    return caps;
}

}  // namespace pwstd
