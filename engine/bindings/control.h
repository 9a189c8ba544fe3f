#pragma once
// Every control of a pad under one id, used alike by the poll, the key dialog, the settings file
// and the tests. The ids run in the order a poll sends their keys: left, right, up, down, buttons
// 1..30, then the ends of the Z, R, U and V axes (each axis's low end, then its high end).
#include <cstdint>

namespace pwstd {

constexpr int32_t kMaxButtons = 30;
// The controls of the Z, R, U and V axes: each axis's low end, then its high end.
constexpr int kAxisControls = 8;

enum ControlId : int {
    kControlLeft = 0,
    kControlRight = 1,
    kControlUp = 2,
    kControlDown = 3,
    kControlButton1 = 4,
    kControlAxis1 = kControlButton1 + kMaxButtons,  // Z low; then Z high, R low .. V high
    kControlCount = kControlAxis1 + kAxisControls,
};

// Button 1..30, axis control 0..7 (Z low .. V high).
constexpr int ButtonControl(int32_t button) { return kControlButton1 + button - 1; }
constexpr int AxisControl(int a) { return kControlAxis1 + a; }
constexpr bool IsButtonControl(int control) { return control >= kControlButton1 && control < kControlAxis1; }
// The button number of a button control.
constexpr int32_t ControlButton(int control) { return control - kControlButton1 + 1; }

}  // namespace pwstd
