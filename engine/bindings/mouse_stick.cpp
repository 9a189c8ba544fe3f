#include "engine/bindings/mouse_stick.h"

namespace pwstd {

namespace {

bool IsTrigger(const PadState& state, int axis) {
    return state.rest[axis] == AxisRest::Low || state.rest[axis] == AxisRest::High;
}

uint32_t StickPosition(const PadState& state, int axis) { return IsTrigger(state, axis) ? kAxisMiddle : state.axis[axis]; }

}  // namespace

StickAxes MouseStickAxes(int32_t stick) {
    switch (stick) {
        case 2: return {kAxisZ, kAxisR};
        case 3: return {kAxisU, kAxisR};
        default: return {kAxisX, kAxisY};
    }
}

void MouseStickPosition(const PadState& state, int32_t stick, uint32_t& x, uint32_t& y) {
    const StickAxes axes = MouseStickAxes(stick);
    x = StickPosition(state, axes.across);
    y = StickPosition(state, axes.along);
}

void CentreMouseStick(PadState& state, int32_t stick) {
    if (stick < 1 || stick >= kMouseSticks) return;
    const StickAxes axes = MouseStickAxes(stick);
    for (const int axis : {axes.across, axes.along}) {
        if (!IsTrigger(state, axis)) state.axis[axis] = kAxisMiddle;
    }
}

}  // namespace pwstd
