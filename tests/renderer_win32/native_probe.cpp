#include "tests/renderer_win32/native_probe.h"

#include <algorithm>

#include "platform/win32/renderer/win_form_window.h"

namespace pwstd::test {

HWND NativeOf(HWND form_window, const forms::Form& form, const forms::Control& control) {
    const auto& controls = form.Controls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&control](const auto& candidate) { return candidate.get() == &control; });
    return GetDlgItem(form_window, FormWindow::kFirstControlId + static_cast<int>(found - controls.begin()));
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

LONG_PTR StyleOf(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

bool HasStyle(HWND window, LONG_PTR style) { return (StyleOf(window) & style) == style; }

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    std::wstring lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
    return lower;
}

RECT PlaceOf(HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

COLORREF BackgroundOf(HWND form_window, HWND child, UINT ctlcolor_message) {
    HDC dc = GetDC(child);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(form_window, ctlcolor_message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child)));
    LOGBRUSH described{};
    if (brush == nullptr || GetObjectW(brush, sizeof described, &described) == 0) described.lbColor = CLR_INVALID;
    ReleaseDC(child, dc);
    return described.lbColor;
}

COLORREF TextColorOf(HWND form_window, HWND child, UINT ctlcolor_message) {
    HDC dc = GetDC(child);
    SetTextColor(dc, RGB(1, 2, 3));  // none of the colours the form sets
    SendMessageW(form_window, ctlcolor_message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
    const COLORREF color = GetTextColor(dc);
    ReleaseDC(child, dc);
    return color;
}

void PressKey(BYTE virtual_key) {
    keybd_event(virtual_key, static_cast<BYTE>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC)), 0, 0);
    keybd_event(virtual_key, static_cast<BYTE>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
}

}  // namespace pwstd::test
