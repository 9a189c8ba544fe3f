#include "engine/output/mouse_outputs.h"

#include <algorithm>

namespace pwstd {

namespace {

struct ButtonFlags {
    uint32_t down, up;
    int32_t data;
};

ButtonFlags FlagsOf(uint8_t code) {
    switch (code) {
        case kMouseRightCode: return {kMouseRightDown, kMouseRightUp, 0};
        case kMouseMiddleCode: return {kMouseMiddleDown, kMouseMiddleUp, 0};
        case kMouseX1Code: return {kMouseXDown, kMouseXUp, kMouseXButton1};
        case kMouseX2Code: return {kMouseXDown, kMouseXUp, kMouseXButton2};
        default: return {kMouseLeftDown, kMouseLeftUp, 0};
    }
}

}  // namespace

MouseOutputs::MouseOutputs(OutputSink& sink, int32_t speed, int32_t dead_zone, int32_t curve, int32_t wheel_rate)
    : sink_(sink), cursor_(speed, dead_zone, curve), wheel_rate_(std::clamp(wheel_rate, 1, 50)) {}

void MouseOutputs::Move(uint32_t x, uint32_t y, int32_t wait) {
    const CursorStep step = cursor_.Step(x, y, wait);
    if (step.dx != 0 || step.dy != 0) sink_.mouse(kMouseMove, step.dx, step.dy, 0);
}

void MouseOutputs::Hold(int slot, uint8_t code, int32_t wait) {
    if (down_[slot] == code) {
        if (!IsWheelCode(code)) return;
        held_[slot] += std::max(wait, 0) * wheel_rate_;
        const int32_t due = held_[slot] / 1000;
        held_[slot] -= due * 1000;
        if (due > 0) Notches(code, due);
        return;
    }
    Release(slot);
    down_[slot] = code;
    if (IsWheelCode(code)) {
        held_[slot] = 0;
        Notches(code, 1);
    } else {
        const ButtonFlags flags = FlagsOf(code);
        sink_.mouse(flags.down, 0, 0, flags.data);
    }
}

void MouseOutputs::Release(int slot) {
    const uint8_t code = down_[slot];
    if (code == 0) return;
    down_[slot] = 0;
    held_[slot] = 0;
    if (IsWheelCode(code)) return;
    const ButtonFlags flags = FlagsOf(code);
    sink_.mouse(flags.up, 0, 0, flags.data);
}

void MouseOutputs::ReleaseAll() {
    for (int slot = 0; slot < kSlots; ++slot) Release(slot);
    cursor_.Clear();
}

// Notches due in one poll go out as one event: a long poll period at a high rate still scrolls as
// far, without a burst of events.
void MouseOutputs::Notches(uint8_t code, int32_t count) {
    const bool across = code == kWheelLeftCode || code == kWheelRightCode;
    const bool negative = code == kWheelDownCode || code == kWheelLeftCode;
    sink_.mouse(across ? kMouseHWheel : kMouseWheel, 0, 0, (negative ? -kWheelDelta : kWheelDelta) * count);
}

}  // namespace pwstd
