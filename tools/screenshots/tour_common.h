#pragma once
// Helpers of the tours that photograph the running program (scripts/menu-screenshot,
// scripts/dialog-screenshots).
#include <windows.h>

#include <string>

namespace pwstd::tour {

// The first window of the class (visible, if asked) within the time, or nullptr.
HWND WaitWindow(const wchar_t* class_name, bool visible, DWORD timeout_ms);
// One key press and release posted to a popup menu window, then a pause for it to follow.
void Key(HWND popup, UINT vk);
// One rectangle of the screen as a 24-bit bottom-up BMP file.
bool SaveRect(const RECT& rect, const std::wstring& path);
// A tour's start: takes its one argument, the folder the pictures go to, and waits for the running
// program's resident window, then lets its tray icon settle. nullptr, with a message, when the
// arguments are wrong or the program is not running.
HWND StartTour(int argc, wchar_t** argv, const char* usage, std::wstring& folder);

}  // namespace pwstd::tour
