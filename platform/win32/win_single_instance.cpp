#include "platform/win32/win_single_instance.h"

#include <windows.h>

namespace pwstd {

namespace {

// In the session's own namespace: another user signed in on the same machine runs a copy of their
// own. The name holds no path, so copies in two folders find each other.
constexpr const wchar_t* kMutexName = L"Local\\PwStd.Resident";

}  // namespace

bool ClaimSingleInstance() {
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    if (mutex && error == ERROR_ALREADY_EXISTS) {
        // Let go of the name at once: the name lives as long as any handle to it, and a third start
        // after the first has quit must not find it while this copy's message is still open.
        CloseHandle(mutex);
        return false;
    }
    // A copy running as administrator made the mutex with rights that this one does not have.
    if (!mutex && error == ERROR_ACCESS_DENIED) return false;
    // The handle is never closed: the system lets go of the name when the process ends, however it
    // ends. Should the system refuse the name for another reason, running beats not running.
    return true;
}

void ShowAlreadyRunning() {
    MessageBoxW(nullptr,
                L"Padwright Standard はすでに起動しています。画面右下の通知領域のアイコンから操作してください"
                L"（見当たらないときは通知領域の ^ を開いてください）。",
                L"Padwright Standard", MB_OK | MB_ICONINFORMATION);
}

}  // namespace pwstd
