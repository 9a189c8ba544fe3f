#include "platform/win32/renderer/win_controls.h"

#include <algorithm>
#include <string>

#include "platform/win32/renderer/win_common_controls.h"
#include "platform/win32/win_text.h"

namespace pwstd {
namespace {

using forms::ControlKind;

struct NativeClass {
    const wchar_t* Name;
    DWORD Style;
    DWORD ExStyle;
};

NativeClass ClassFor(const forms::Control& control) {
    const forms::ControlSpec& desc = control.layout();
    switch (control.kind()) {
        // Labels and images keep the mouse presses on them (SS_NOTIFY): without it the system
        // passes them through to the form, whose own mouse handler they are not meant for.
        case ControlKind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case ControlKind::Frame: return {L"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT};
        case ControlKind::HScrollBar: return {L"SCROLLBAR", SBS_HORZ, 0};
        // The model decides a check box's state: the native box only reports the click.
        case ControlKind::CheckBox: return {L"BUTTON", BS_CHECKBOX, 0};
        // Automatic, so that arrow keys within a group select as they move (the dialog keys
        // click the button they reach); the model's value is put back after every click.
        case ControlKind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
        case ControlKind::TextBox: {
            DWORD style = ES_LEFT | ES_AUTOHSCROLL;
            if (desc.Locked) style |= ES_READONLY;
            return {L"EDIT", style, WS_EX_CLIENTEDGE};
        }
        case ControlKind::CommandButton:
            return {L"BUTTON", static_cast<DWORD>(desc.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
        case ControlKind::Image: return {L"STATIC", SS_ICON | SS_NOTIFY, 0};
        // Tab stops line up the columns of a line; the box keeps its laid-out height.
        case ControlKind::ListBox:
            return {L"LISTBOX", LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Timer: break;
    }
    return {nullptr, 0, 0};
}

void SetText(HWND native, const std::string& text) { SetWindowTextW(native, Utf8ToWide(text).c_str()); }

}  // namespace

HWND CreateNativeControl(const forms::Control& control, const NativeControlPlacement& place) {
    const NativeClass native_class = ClassFor(control);
    if (native_class.Name == nullptr) return nullptr;
    LoadCommonControls();
    // Laid-out controls may overlap (a label's box reaches into the scroll bar below it): each
    // paints only where no control above it in z-order stands, so a label never covers a bar.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | native_class.Style;
    if (place.StartsGroup) style |= WS_GROUP;
    if (place.TabStop) style |= WS_TABSTOP;
    if (!control.Enabled()) style |= WS_DISABLED;
    const std::wstring text =
        control.kind() == ControlKind::Image || control.kind() == ControlKind::HScrollBar ||
                control.kind() == ControlKind::ListBox
            ? std::wstring()
            : Utf8ToWide(control.Caption());
    HWND native = CreateWindowExW(native_class.ExStyle, native_class.Name, text.c_str(), style, place.Pixels.left,
                                  place.Pixels.top, place.Pixels.right - place.Pixels.left,
                                  place.Pixels.bottom - place.Pixels.top, place.Parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.Id)), place.Instance, nullptr);
    if (native == nullptr) return nullptr;

    switch (control.kind()) {
        case ControlKind::HScrollBar:
            ApplyProperty(native, control, forms::Property::Range);
            break;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            ApplyProperty(native, control, forms::Property::Value);
            break;
        case ControlKind::ListBox: {
            // One column stop at three fifths of the width, in the dialog units the box counts in.
            const int base = std::max(1, static_cast<int>(LOWORD(GetDialogBaseUnits())));
            int stop = MulDiv((place.Pixels.right - place.Pixels.left) * 3 / 5, 4, base);
            SendMessageW(native, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
            ApplyProperty(native, control, forms::Property::List);
            break;
        }
        case ControlKind::TextBox:
            if (control.layout().MaxLength > 0) SendMessageW(native, EM_LIMITTEXT, control.layout().MaxLength, 0);
            break;
        default: break;
    }
    return native;
}

void ApplyProperty(HWND native, const forms::Control& control, forms::Property property) {
    using forms::Property;
    switch (property) {
        case Property::Caption:
        case Property::Text:
            if (control.kind() != ControlKind::Image && control.kind() != ControlKind::HScrollBar &&
                control.kind() != ControlKind::ListBox) {
                SetText(native, control.Caption());
            }
            return;
        case Property::Value:
            if (control.kind() == ControlKind::HScrollBar) {
                SetScrollPos(native, SB_CTL, control.Value(), TRUE);
            } else if (control.kind() == ControlKind::CheckBox || control.kind() == ControlKind::OptionButton) {
                SendMessageW(native, BM_SETCHECK, control.Value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            } else if (control.kind() == ControlKind::ListBox) {
                SendMessageW(native, LB_SETCURSEL, static_cast<WPARAM>(control.Value()), 0);
            }
            return;
        case Property::Range:
            if (control.kind() == ControlKind::HScrollBar) {
                // No page size: the thumb reaches the maximum, and every step is the model's.
                SetScrollRange(native, SB_CTL, control.Min(), std::max(control.Min(), control.Max()), FALSE);
                SetScrollPos(native, SB_CTL, control.Value(), TRUE);
            }
            return;
        case Property::Enabled: EnableWindow(native, control.Enabled() ? TRUE : FALSE); return;
        case Property::BackColor: InvalidateRect(native, nullptr, TRUE); return;
        case Property::Interval: return;
        case Property::List:
            if (control.kind() != ControlKind::ListBox) return;
            SendMessageW(native, WM_SETREDRAW, FALSE, 0);
            SendMessageW(native, LB_RESETCONTENT, 0, 0);
            for (const std::string& item : control.List())
                SendMessageW(native, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
            SendMessageW(native, LB_SETCURSEL, static_cast<WPARAM>(control.Value()), 0);
            SendMessageW(native, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(native, nullptr, TRUE);
            return;
    }
}

std::wstring WindowText(HWND native) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(native)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(native, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace pwstd
