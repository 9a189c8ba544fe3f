#include "engine/input/xinput_pad.h"

#include <array>
#include <cstddef>

namespace pwstd {

namespace {

uint32_t Up(int16_t value) { return static_cast<uint32_t>(value + 32768); }
uint32_t Down(int16_t value) { return static_cast<uint32_t>(32767 - value); }

int32_t Hat(uint16_t buttons) {
    const int x = ((buttons & kXInputDpadRight) != 0) - ((buttons & kXInputDpadLeft) != 0);
    const int y = ((buttons & kXInputDpadDown) != 0) - ((buttons & kXInputDpadUp) != 0);
    // Indexed [y + 1][x + 1]; the middle is a released (or cancelled) cross pad.
    static constexpr int32_t kHat[3][3] = {
        {31500, 0, 4500}, {27000, kHatCentred, 9000}, {22500, 18000, 13500}};
    return kHat[y + 1][x + 1];
}

}  // namespace

PadState XInputState(const XInputPad& pad) {
    static constexpr std::array<uint16_t, 10> kButtons = {
        kXInputA,            kXInputB,             kXInputX,    kXInputY,
        kXInputLeftShoulder, kXInputRightShoulder, kXInputBack, kXInputStart,
        kXInputLeftThumb,    kXInputRightThumb};
    PadState state;
    state.axis[kAxisX] = Up(pad.lx);
    state.axis[kAxisY] = Down(pad.ly);
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        if ((pad.buttons & kButtons[i]) != 0) state.buttons |= 1u << i;
    }
    if (pad.left_trigger > kXInputTriggerThreshold) state.buttons |= 1u << 10;
    if (pad.right_trigger > kXInputTriggerThreshold) state.buttons |= 1u << 11;
    state.hat = Hat(pad.buttons);
    state.axis[kAxisU] = Up(pad.rx);
    state.axis[kAxisR] = Down(pad.ry);
    return state;
}

PadCaps XInputCaps() {
    return {AxisBit(kAxisX) | AxisBit(kAxisY) | AxisBit(kAxisR) | AxisBit(kAxisU), true, true};
}

}  // namespace pwstd
