#pragma once
// One form shown as a native top-level window: its standard controls are created from the form's
// declaration in their current state, native input is forwarded into the model, and every change
// the model reports is put onto the native controls.
#include <windows.h>

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "forms/form.h"
#include "platform/win32/renderer/win_control_input.h"
#include "platform/win32/renderer/win_fonts.h"
#include "platform/win32/renderer/win_metrics.h"

namespace pwstd {

class FormWindow final : public forms::FormObserver, private ControlInputListener {
public:
    // The control at position i of Form::Controls() is the child window with id kFirstControlId + i,
    // clear of the ids the dialog keys send (IDOK, IDCANCEL).
    static constexpr int kFirstControlId = 1000;

    // Creates the window, hidden, for a loaded form, centred on the work area and laid out at the
    // resolution `dpi_source` gives for it there. `icon_resource` is the title bar's icon when the
    // form shows one; `instance` holds it and the images' icons.
    FormWindow(forms::Form& form, HINSTANCE instance, int icon_resource, DpiSource dpi_source = &WindowDpi);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const { return window_; }
    HWND NativeOf(const forms::Control& control) const;
    // The model closed the form: the window is to be destroyed.
    bool Closed() const { return closed_; }

    // Starts following the model, shows the window, starts its timers and gives the native focus
    // to the model's focused control.
    void Show();
    // The dialog keys: Tab and Shift+Tab, arrows within a group, Enter and Esc. True when the
    // message was handled. UI thread's message loop.
    bool PreTranslate(MSG& message);

    void ControlChanged(forms::Control& control, forms::Property property) override;
    void FocusMoved(forms::Control& control) override;
    void Unloaded() override;

private:
    struct Native {
        forms::Control* Control = nullptr;
        HWND Window = nullptr;
        int Id = 0;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    void NativeFocusArrived(forms::Control& control) override;
    void NativeKeyDown(forms::Control& control, int16_t key_code, int16_t shift) override;

    void CreateWindowFor();
    void CreateControls();
    RECT PlaceInClient(const forms::Control& control) const;
    // win_form_window_scale.cpp: what depends on the window's resolution.
    SIZE ClientSizeAt(ScreenDpi dpi) const;
    SIZE WindowSizeAt(ScreenDpi dpi) const;
    void FitToLayout();
    void Rescale(ScreenDpi dpi, const RECT& suggested);
    void ApplyShape();
    void ShowIcons();
    HICON LoadIconSized(int resource, int system_metric);
    void RefreshOptionTabStops();
    void StartTimer(const Native& native);
    void FocusModelControl();

    Native* Find(HWND child);
    Native* Find(const forms::Control& control);
    LRESULT Command(HWND child, WORD id, WORD code);
    LRESULT ControlColor(HDC dc, HWND child, UINT message, WPARAM wparam, LPARAM lparam);
    HBRUSH Brush(COLORREF color);
    void MouseDown(int16_t button, WPARAM wparam, LPARAM lparam);

    forms::Form& form_;
    HINSTANCE instance_;
    int icon_resource_;
    DpiSource dpi_source_;
    ScreenDpi dpi_;  // the window's own: the display's it opens on, then the display's it moves to
    std::unique_ptr<FontSet> fonts_;
    std::vector<HICON> icons_;  // the title bar's and the images', at the window's resolution
    HWND window_ = nullptr;
    bool closed_ = false;
    std::vector<Native> natives_;  // by position in Form::Controls()
    std::unordered_map<HWND, size_t> by_window_;
    std::unordered_map<const forms::Control*, size_t> by_control_;
    std::map<COLORREF, HBRUSH> brushes_;
};

}  // namespace pwstd
