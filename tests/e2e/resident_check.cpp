// Tells from outside whether PwStd is up in this Wine prefix: a running PwStd.exe owns a top-level
// window of the resident class. Windows are found only on their own desktop and the program may run
// on a Wine desktop of its own, so every desktop of the window station is searched. The check
// starts nothing, so it never becomes a second copy of the program.
// Exit code 0 and one line naming the process when found, 1 when not.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Found {
    DWORD pid = 0;
    std::wstring image;
};

bool IsPwStdImage(const std::wstring& image) {
    const std::wstring tail = L"\\PwStd.exe";
    return image.size() >= tail.size() &&
           _wcsicmp(image.c_str() + image.size() - tail.size(), tail.c_str()) == 0;
}

BOOL CALLBACK OnWindow(HWND window, LPARAM found_param) {
    wchar_t class_name[64] = {};
    if (!GetClassNameW(window, class_name, 64) || std::wcscmp(class_name, L"PwStdResident") != 0) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process) return TRUE;
    wchar_t image[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    const bool named = QueryFullProcessImageNameW(process, 0, image, &size) != 0;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    if (!named || !running || !IsPwStdImage(image)) return TRUE;
    auto& found = *reinterpret_cast<Found*>(found_param);
    found.pid = pid;
    found.image = image;
    return FALSE;
}

BOOL CALLBACK OnDesktop(LPWSTR name, LPARAM found_param) {
    HDESK desktop = OpenDesktopW(name, 0, FALSE, DESKTOP_READOBJECTS | DESKTOP_ENUMERATE);
    if (!desktop) return TRUE;
    EnumDesktopWindows(desktop, OnWindow, found_param);
    CloseDesktop(desktop);
    return reinterpret_cast<Found*>(found_param)->pid == 0;
}

}  // namespace

int wmain() {
    Found found;
    EnumDesktopsW(GetProcessWindowStation(), OnDesktop, reinterpret_cast<LPARAM>(&found));
    if (found.pid == 0) {
        std::puts("no running PwStd.exe with a PwStdResident window");
        return 1;
    }
    std::wprintf(L"PwStd.exe is running (process %lu, %ls) with its PwStdResident window\n",
                 static_cast<unsigned long>(found.pid), found.image.c_str());
    return 0;
}
