#include "engine/xinput_map.h"

#include <array>

namespace pwstd {

namespace {

uint32_t Up(int16_t value) { return static_cast<uint32_t>(value + 32768); }
uint32_t Down(int16_t value) { return static_cast<uint32_t>(32767 - value); }

uint32_t Hat(uint16_t buttons) {
    const int x = ((buttons & kXInputDpadRight) != 0) - ((buttons & kXInputDpadLeft) != 0);
    const int y = ((buttons & kXInputDpadDown) != 0) - ((buttons & kXInputDpadUp) != 0);
    // Indexed [y + 1][x + 1]; the middle is a released (or cancelled) cross pad.
    static constexpr uint32_t kPov[3][3] = {
        {31500, 0, 4500}, {27000, kJoyPovCentered, 9000}, {22500, 18000, 13500}};
    return kPov[y + 1][x + 1];
}

}  // namespace

JoyReading XInputReading(const XInputPad& pad) {
    static constexpr std::array<uint16_t, 10> kButtons = {
        kXInputA,           kXInputB,            kXInputX,    kXInputY,
        kXInputLeftShoulder, kXInputRightShoulder, kXInputBack, kXInputStart,
        kXInputLeftThumb,   kXInputRightThumb};
    JoyReading reading;
    reading.Xpos = Up(pad.lx);
    reading.Ypos = Down(pad.ly);
    for (size_t i = 0; i < kButtons.size(); ++i) {
        if ((pad.buttons & kButtons[i]) != 0) reading.Buttons |= 1u << i;
    }
    if (pad.left_trigger > kXInputTriggerThreshold) reading.Buttons |= 1u << 10;
    if (pad.right_trigger > kXInputTriggerThreshold) reading.Buttons |= 1u << 11;
    reading.Pov = Hat(pad.buttons);
    reading.Upos = Up(pad.rx);
    reading.Rpos = Down(pad.ry);
    return reading;
}

JoyCaps XInputCaps() { return {4, kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasPov}; }

}  // namespace pwstd
