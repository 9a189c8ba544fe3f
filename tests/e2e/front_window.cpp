// Stands in for a game in the templates tests: a visible window that comes to the front when the
// program starts and again at each WM_APP it receives, and announces it as the system announces a
// new window in front (the test's Wine does not by itself). The file it is copied to names it.
#include <windows.h>

namespace {

void ComeToFront(HWND window) {
    SetForegroundWindow(window);
    NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_APP: ComeToFront(window); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = Procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = L"PwStdFrontWindow";
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(0, L"PwStdFrontWindow", L"front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 240,
                                  120, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ComeToFront(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
