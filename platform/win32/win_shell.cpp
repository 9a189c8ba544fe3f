#include "platform/win32/win_shell.h"

#include <string>

#include "platform/win32/win_text.h"

namespace pwstd {

void WinShell::BringToForeground() { SetForegroundWindow(window_); }

void WinShell::OpenHelp(const std::string& path) {
    // The help engine takes the path in the ANSI code page.
    WinHelpA(window_, Utf8ToAnsi(path).c_str(), HELP_CONTENTS, 0);
}

std::string WinShell::ExeFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size() || path.size() >= 32768) {
            path.resize(n < path.size() ? n : 0);
            break;
        }
        path.resize(path.size() * 2);  // cut short: try again with room to spare
    }
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return WideToUtf8(path);
}

void WinShell::EndProgram() { ExitProcess(0); }

}  // namespace pwstd
