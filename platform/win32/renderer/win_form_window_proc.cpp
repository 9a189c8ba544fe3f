// The messages of a form's window: native input forwarded into the model, and the colours the
// model gives its controls.
#include <windowsx.h>

#include "platform/win32/renderer/win_controls.h"
#include "platform/win32/renderer/win_form_window.h"
#include "platform/win32/win_text.h"
#include "platform/win32/renderer/win_window_shape.h"

namespace pwstd {
namespace {

using forms::ControlKind;
using forms::ScrollAction;

bool ScrollActionFor(WORD code, ScrollAction& action) {
    switch (code) {
        case SB_LINELEFT: action = ScrollAction::LineLeft; return true;
        case SB_LINERIGHT: action = ScrollAction::LineRight; return true;
        case SB_PAGELEFT: action = ScrollAction::PageLeft; return true;
        case SB_PAGERIGHT: action = ScrollAction::PageRight; return true;
        case SB_THUMBTRACK: action = ScrollAction::ThumbTrack; return true;
        case SB_THUMBPOSITION: action = ScrollAction::ThumbPosition; return true;
        case SB_LEFT: action = ScrollAction::Leftmost; return true;
        case SB_RIGHT: action = ScrollAction::Rightmost; return true;
        case SB_ENDSCROLL: action = ScrollAction::EndScroll; return true;
        default: return false;
    }
}

COLORREF Resolve(uint32_t color) {
    if (color & forms::kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

// The system's text colour goes with the system's backgrounds only: in the dark high-contrast
// themes it is white, unreadable on the yellow of a key box being edited. On a colour of the
// program's own, text is black or white by the colour's brightness.
COLORREF TextColorOn(uint32_t color, COLORREF shown) {
    if (color & forms::kSystemColorFlag) return GetSysColor(COLOR_WINDOWTEXT);
    const int brightness = (299 * GetRValue(shown) + 587 * GetGValue(shown) + 114 * GetBValue(shown)) / 1000;
    return brightness >= 128 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

}  // namespace

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
        auto* self = static_cast<FormWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
    return self->Handle(message, wparam, lparam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            return Command(reinterpret_cast<HWND>(lparam), LOWORD(wparam), HIWORD(wparam));
        case WM_HSCROLL: {
            Native* native = Find(reinterpret_cast<HWND>(lparam));
            ScrollAction action;
            if (closed_ || native == nullptr || !ScrollActionFor(LOWORD(wparam), action)) return 0;
            // Thumb positions come as 16 bits: the bars' ranges are 16-bit values.
            native->Control->UserScroll(action, HIWORD(wparam));
            if (!closed_) ApplyProperty(native->Window, *native->Control, forms::Property::Value);
            return 0;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            return ControlColor(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam), message, wparam,
                                lparam);
        case WM_TIMER: {
            const size_t position = static_cast<size_t>(wparam) - kFirstControlId;
            if (!closed_ && wparam >= kFirstControlId && position < natives_.size()) natives_[position].Control->Tick();
            return 0;
        }
        case WM_CLOSE:
            if (!closed_) form_.UserClose();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wparam) != WA_INACTIVE && HIWORD(wparam) == 0 && form_.Focused() != nullptr) {
                FocusModelControl();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            FocusModelControl();
            return 0;
        case WM_NEXTDLGCTL: {
            // The dialog keys ask the window itself to move the focus (arrows onto a control that
            // is not an option button).
            HWND target = lparam ? reinterpret_cast<HWND>(wparam)
                                 : GetNextDlgTabItem(window_, GetFocus(), wparam != 0 ? TRUE : FALSE);
            if (target != nullptr) SetFocus(target);
            return 0;
        }
        case WM_PAINT: {
            // A shaped window shows its outline image; any other has nothing beyond its background.
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            PaintWindowShape(window_, dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_GETDPISCALEDSIZE: {
            // Asked before a move onto a display of another scale: the size of the layout there.
            const int dpi = static_cast<int>(wparam);
            *reinterpret_cast<SIZE*>(lparam) = WindowSizeAt(ScreenDpi{dpi, dpi});
            return TRUE;
        }
        case WM_DPICHANGED:
            // Moved onto a display of another scale: laid out anew there, in the place suggested.
            Rescale(ScreenDpi{LOWORD(wparam), HIWORD(wparam)}, *reinterpret_cast<const RECT*>(lparam));
            return 0;
        case WM_LBUTTONDOWN: MouseDown(1, wparam, lparam); return 0;
        case WM_RBUTTONDOWN: MouseDown(2, wparam, lparam); return 0;
        case WM_MBUTTONDOWN: MouseDown(4, wparam, lparam); return 0;
        default: break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

LRESULT FormWindow::Command(HWND child, WORD id, WORD code) {
    if (closed_) return 0;
    Native* native = Find(child);
    if (native == nullptr) {
        // Enter and Esc as the dialog keys report them.
        if (id == IDOK) form_.PressEnter();
        else if (id == IDCANCEL) form_.PressEscape();
        return 0;
    }
    forms::Control& control = *native->Control;
    switch (control.kind()) {
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            if (code != BN_CLICKED) return 0;
            control.UserClick();
            // The model decides the state; an option button has already shown its own.
            if (!closed_) ApplyProperty(native->Window, control, forms::Property::Value);
            return 0;
        case ControlKind::TextBox:
            if (code == EN_CHANGE) control.SetCaption(WideToUtf8(WindowText(native->Window)));
            return 0;
        default: return 0;
    }
}

LRESULT FormWindow::ControlColor(HDC dc, HWND child, UINT message, WPARAM wparam, LPARAM lparam) {
    const Native* native = Find(child);
    uint32_t color = native != nullptr ? native->Control->BackColor() : 0;
    if (color == 0 && native != nullptr && native->Control->kind() == ControlKind::TextBox) {
        color = forms::kColorWindow;  // a text box's usual colour, read-only or not
    }
    if (color == 0) return DefWindowProcW(window_, message, wparam, lparam);
    const COLORREF shown = Resolve(color);
    SetBkColor(dc, shown);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, TextColorOn(color, shown));
    return reinterpret_cast<LRESULT>(Brush(shown));
}

HBRUSH FormWindow::Brush(COLORREF color) {
    auto found = brushes_.find(color);
    if (found != brushes_.end()) return found->second;
    HBRUSH brush = CreateSolidBrush(color);
    brushes_.emplace(color, brush);
    return brush;
}

void FormWindow::MouseDown(int16_t button, WPARAM wparam, LPARAM lparam) {
    if (closed_) return;
    int16_t shift = 0;
    if (wparam & MK_SHIFT) shift |= forms::kShiftMask;
    if (wparam & MK_CONTROL) shift |= forms::kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= forms::kAltMask;
    form_.UserMouseDown(button, shift, dpi_.PixelsToTwipsX(GET_X_LPARAM(lparam)),
                        dpi_.PixelsToTwipsY(GET_Y_LPARAM(lparam)));
}

}  // namespace pwstd
