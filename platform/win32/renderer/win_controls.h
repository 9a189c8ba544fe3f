#pragma once
// The standard Windows control that shows each kind of model control, and how a model property
// is put onto it.
#include <windows.h>

#include <string>

#include "forms/control.h"

namespace pwstd {

struct NativeControlPlacement {
    HWND Parent = nullptr;
    RECT Pixels{};            // in the parent's client area
    int Id = 0;               // the child window's id
    bool StartsGroup = true;  // WS_GROUP: the first of a run of option buttons, or any other control
    bool TabStop = false;     // WS_TABSTOP
    HINSTANCE Instance = nullptr;  // the module creating the control
};

// Creates the native control for `control` in its current state (caption or text, value, range,
// enabled). An image's icon is the window's to give (it depends on the window's resolution).
// Timers have no window: nullptr.
HWND CreateNativeControl(const forms::Control& control, const NativeControlPlacement& place);

// Puts the model's current value of `property` onto the native control. Back colours are
// painted by the window (WM_CTLCOLOR*), so here they only repaint.
void ApplyProperty(HWND native, const forms::Control& control, forms::Property property);

// The text a native window shows.
std::wstring WindowText(HWND native);

}  // namespace pwstd
