#pragma once
// The joystick test panel of the general settings dialog: what it shows for one reading.
#include <cstdint>
#include <string>

namespace pwstd {

// "左" or "右" for x = -1 / +1, then " 上" or " 下" for y = -1 / +1, then " i" for every pressed
// button i of 1..`buttons`, ascending: "左 上 1 3", " 下", "右 12"; "" when nothing is reported.
// Then each held axis control of `axes` (bit a: control a + 1): " Z-", " Z+", " R-" .. " V+".
std::string JoystickTestText(int32_t x, int32_t y, uint32_t mask, int32_t buttons, uint32_t axes = 0);

}  // namespace pwstd
