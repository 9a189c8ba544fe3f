#pragma once
// Reading back what the native windows show, for the renderer's tests.
#include <windows.h>

#include <string>

#include "forms/form.h"

namespace pwstd::test {

// The native window of `control` in `form_window` (child ids follow the declaration order).
HWND NativeOf(HWND form_window, const forms::Form& form, const forms::Control& control);

std::wstring TextOf(HWND window);
LONG_PTR StyleOf(HWND window);
bool HasStyle(HWND window, LONG_PTR style);
std::wstring ClassOf(HWND window);
// The child's rectangle in its parent's client area.
RECT PlaceOf(HWND child);
// The background colour the form gives `child` when it paints (WM_CTLCOLOREDIT / STATIC).
COLORREF BackgroundOf(HWND form_window, HWND child, UINT ctlcolor_message);
// The text colour the form sets for `child` when it paints.
COLORREF TextColorOf(HWND form_window, HWND child, UINT ctlcolor_message);
// A key press and release through the system's input, as the user's keyboard sends it.
void PressKey(BYTE virtual_key);

}  // namespace pwstd::test
