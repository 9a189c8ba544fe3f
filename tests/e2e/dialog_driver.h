#pragma once
// Driving the real program's settings dialogs from outside, as a user does: opened from the tray's
// popup menu, their standard controls found by class and caption, scroll bars scrolled with the
// notifications the bar itself sends, and real mouse clicks and key presses put into the system's
// input queue (they reach whichever window is under the pointer or has the focus).
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/e2e/app_session.h"

namespace pwstd::wintest {

// The items of the "プロパティ..." submenu.
enum class SettingsItem { Keys = 0, General = 1, Options = 2 };

// Opens the popup menu from the tray icon, walks into "プロパティ..." and chooses `item`; returns the
// dialog window once it shows, or nullptr.
HWND OpenSettings(const AppSession& app, SettingsItem item);

// The dialog's child windows of `native_class` ("SCROLLBAR", "STATIC", "EDIT", "BUTTON"), top to
// bottom and left to right on the screen.
std::vector<HWND> Children(HWND dialog, const wchar_t* native_class);
// The first child of the class whose text is `text` (UTF-8), or starts with it when `prefix`.
HWND ChildWithText(HWND dialog, const wchar_t* native_class, const std::string& text, bool prefix = false);

std::string TextOf(HWND window);  // UTF-8
// Waits until the window's text is `text`; returns the text it last had.
std::string WaitText(HWND window, const std::string& text,
                     std::chrono::milliseconds timeout = std::chrono::seconds(5));

// One notification of a horizontal scroll bar to its parent, as the bar sends it for a click on an
// arrow (SB_LINELEFT, SB_LINERIGHT), in the trough, a key, or a drag of the thumb (SB_THUMBTRACK
// while moving, SB_THUMBPOSITION where released), each followed by SB_ENDSCROLL.
void Scroll(HWND bar, WORD code, int position = 0);
// A drag of the thumb to `position`: moving (tracking) and, unless `release` is false, let go there.
void DragThumb(HWND bar, int position, bool release = true);
int ScrollPos(HWND bar);

// A real click of the left mouse button at the window's centre, or `dx` pixels from its left edge
// (a negative `dx` from its right edge).
void Click(HWND window);
void ClickAt(HWND window, int dx);
// Real key presses: one key pressed and let go; `vk` pressed while `held` is down; text typed as
// characters.
void PressKey(WORD vk);
void PressWith(WORD held, WORD vk);
// `vk` pressed while every key of `held` is down, pressed in order and let go in reverse.
void PressWithAll(const std::vector<WORD>& held, WORD vk);
void TypeText(const std::wstring& text);

// Waits until `window` is gone or hidden.
bool WaitClosed(HWND window, std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace pwstd::wintest
