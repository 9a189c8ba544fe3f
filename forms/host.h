#pragma once
// What forms need from the windowing system; platform/win32/ implements it with native windows,
// tests with headless fakes.
#include "forms/form.h"
#include "forms/menu.h"

namespace pwstd::forms {

class WindowHost {
public:
    virtual ~WindowHost() = default;
    // Loads the form and shows it modally, without an owner window; returns once it has closed.
    // UI thread.
    virtual void ShowModal(Form& form) = 0;
    // Shows the items below `root` as a popup menu at the mouse position, chosen with the left
    // button; the chosen item's handler runs to its end before this returns. UI thread.
    virtual void ShowPopup(MenuItem& root) = 0;
    // Processes the pending window messages once. UI thread.
    virtual void DoEvents() = 0;
};

}  // namespace pwstd::forms
