// Shows the about window as the program does, for looking at it (docs/about.png): prints the
// window's place on the screen once it shows, and closes it after the given milliseconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "dialogs/about/abox.h"
#include "platform/win32/renderer/win_window_host.h"

namespace {

pwstd::WinWindowHost* g_host = nullptr;
pwstd::ABox* g_about = nullptr;
bool g_reported = false;

void CALLBACK Report(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = g_host->ActiveFormWindow();
    if (g_reported || window == nullptr || !IsWindowVisible(window)) return;
    RECT frame{};
    GetWindowRect(window, &frame);
    std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    std::fflush(stdout);
    g_reported = true;
}

void CALLBACK Close(HWND, UINT, UINT_PTR, DWORD) {
    if (g_about->Loaded()) g_about->Unload();
}

}  // namespace

int main(int argc, char** argv) {
    const UINT close_after = argc > 1 ? static_cast<UINT>(std::atoi(argv[1])) : 10000;
    pwstd::WinWindowHost host(nullptr, pwstd::kProgramIconResource);
    pwstd::ABox about;
    g_host = &host;
    g_about = &about;
    SetTimer(nullptr, 0, 50, Report);
    SetTimer(nullptr, 0, close_after, Close);
    host.ShowModal(about);
    return 0;
}
