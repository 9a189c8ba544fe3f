#include "platform/win32/win_shell.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/win_text.h"

namespace pwstd {

void WinShell::BringToForeground() { SetForegroundWindow(window_); }

void WinShell::OpenHelp(const std::string& path) {
    // The Unicode call, so the help file is found in a folder named in any script.
    WinHelpW(window_, Utf8ToWide(path).c_str(), HELP_CONTENTS, 0);
}

void WinShell::OpenDocument(const std::string& path) {
    // The program that opens the type may be a shell extension reached through COM, which the
    // calling thread must have initialised: once, on the first call, for the rest of the thread's
    // life (only the user-interface thread comes here).
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (void)com;
    ShellExecuteW(window_, L"open", Utf8ToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool WinShell::FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

uint32_t WinShell::SystemMajorVersion() {
    // GetVersionEx reports what the manifest's compatibility entries let it; the kernel's own
    // call reports the system as it is.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto get_version = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                         reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                                   : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!get_version || get_version(&info) != 0) return 0;
    return info.dwMajorVersion;
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
