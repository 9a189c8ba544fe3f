#pragma once
// An XInput pad (XINPUT_GAMEPAD) in the engine's shape, laid out as the joystick service lays out
// the same pad, so key maps made for it keep working; only the triggers differ: each is a button of
// its own instead of both sharing Z.
#include <cstdint>

#include "engine/input/pad_state.h"

namespace pwstd {

// XINPUT_GAMEPAD: the button bits, the triggers 0..255 and the sticks, whose Y axes point up.
struct XInputPad {
    uint16_t buttons = 0;
    uint8_t left_trigger = 0;
    uint8_t right_trigger = 0;
    int16_t lx = 0;
    int16_t ly = 0;
    int16_t rx = 0;
    int16_t ry = 0;
};

// XINPUT_GAMEPAD wButtons bits.
constexpr uint16_t kXInputDpadUp = 0x0001;
constexpr uint16_t kXInputDpadDown = 0x0002;
constexpr uint16_t kXInputDpadLeft = 0x0004;
constexpr uint16_t kXInputDpadRight = 0x0008;
constexpr uint16_t kXInputStart = 0x0010;
constexpr uint16_t kXInputBack = 0x0020;
constexpr uint16_t kXInputLeftThumb = 0x0040;
constexpr uint16_t kXInputRightThumb = 0x0080;
constexpr uint16_t kXInputLeftShoulder = 0x0100;
constexpr uint16_t kXInputRightShoulder = 0x0200;
constexpr uint16_t kXInputA = 0x1000;
constexpr uint16_t kXInputB = 0x2000;
constexpr uint16_t kXInputX = 0x4000;
constexpr uint16_t kXInputY = 0x8000;
// A trigger counts as pressed above this (XINPUT_GAMEPAD_TRIGGER_THRESHOLD).
constexpr uint8_t kXInputTriggerThreshold = 30;
// XInput numbers at most four pads.
constexpr int32_t kXInputUsers = 4;

// X = LX + 32768 and Y = 32767 - LY; A, B, X, Y, LB, RB, Back, Start, the left and the right stick
// press are buttons 1..10, the left and right triggers buttons 11 and 12; the cross pad is the hat
// (0 up, clockwise in hundredths of a degree, centred when released or pressed both ways at once);
// U = RX + 32768 and R = 32767 - RY. Z and V stay at the middle: the pad has neither.
PadState XInputState(const XInputPad& pad);
// What such a pad has: X, Y, R and U, and a hat with diagonals.
PadCaps XInputCaps();

}  // namespace pwstd
