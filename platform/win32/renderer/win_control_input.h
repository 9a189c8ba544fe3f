#pragma once
// What a native control tells the model beyond its parent's notifications: that it received the
// focus, and, for a key box, every key pressed in it.
//
// A key box is a text box with a KeyDown handler. It takes every key (Enter, Esc, arrows and the
// keys that would otherwise reach a menu) except Tab, which still moves the focus: in a window
// without default and cancel buttons Tab is the only keyboard way out of the box. Typed characters
// are dropped, so the box shows only what the program puts into it.
#include <windows.h>

#include "forms/control.h"

namespace pwstd {

class ControlInputListener {
public:
    virtual ~ControlInputListener() = default;
    // The native focus arrived at `control`'s window. UI thread.
    virtual void NativeFocusArrived(forms::Control& control) = 0;
    // A key went down in a key box: its virtual-key code and the shift state. UI thread.
    virtual void NativeKeyDown(forms::Control& control, int16_t key_code, int16_t shift) = 0;
};

// Whether the native control of `control` captures keys as described above.
bool IsKeyBox(const forms::Control& control);

// Subclasses `native` for as long as it lives (the subclass goes with the window). Key boxes, and read-only text boxes, lose their
// input-method context, so with an input method on, keys arrive as their own codes instead of
// the input method's VK_PROCESSKEY.
void AttachControlInput(HWND native, forms::Control& control, ControlInputListener& listener);

// Shift state as the model counts it (1 Shift, 2 Ctrl, 4 Alt), from the keyboard state of the
// message being handled.
int16_t CurrentShiftState();

}  // namespace pwstd
