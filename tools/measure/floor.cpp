// pwstd_floor.exe [--wait ms (25)] [--counter name] [--tray 1|2]: the least a joystick poller can do,
// the yardstick for the program's footprint. A periodic multimedia timer of `wait` ms (resolution
// 5 ms, the timer period set to `wait`, as the program sets it) makes one joyGetPosEx reading per
// tick; the main thread waits in a message loop until WM_QUIT. With --counter, each tick also adds
// one to the first 32-bit word of the named shared memory, so a measurer can count the polls.
// With --tray 1 it is the least a tray-resident poller can do: a hidden window owns a tray icon,
// and once a second the timer thread gives the icon the other of two images and a new tip. With
// --tray 2 the timer thread only posts a message for it and the main thread changes the icon, as a
// poller must whose polls may not wait for a busy shell: what that hand-over costs shows apart.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

volatile LONG* g_counter = nullptr;
NOTIFYICONDATAW g_tray{};
HICON g_icons[2] = {};
DWORD g_last_update = 0;
int g_polls = 0;
DWORD g_update_thread = 0;  // with --tray 2: the thread that changes the icon

void UpdateTray(int polls) {
    static int frame = 0;
    frame = 1 - frame;
    g_tray.hIcon = g_icons[frame];
    wsprintfW(g_tray.szTip, L"\x52D5\x4F5C\x4E2D\x30FB\x30FB\x30FB %dFPS", polls);
    Shell_NotifyIconW(NIM_MODIFY, &g_tray);
}

void CALLBACK Tick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
    joyGetPosEx(JOYSTICKID1, &info);
    if (g_counter) InterlockedIncrement(g_counter);
    ++g_polls;
    if (g_tray.hWnd && GetTickCount() - g_last_update > 1000) {
        if (g_update_thread)
            PostThreadMessageW(g_update_thread, WM_APP, static_cast<WPARAM>(g_polls), 0);
        else
            UpdateTray(g_polls);
        g_polls = 0;
        g_last_update = GetTickCount();
    }
}

void AddTray() {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    for (int i = 0; i < 2; ++i)
        g_icons[i] = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32512 + 3 * i),
                                                   IMAGE_ICON, cx, cy, LR_SHARED));
    g_tray.cbSize = NOTIFYICONDATAW_V1_SIZE;
    g_tray.hWnd = window;
    g_tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_tray.uCallbackMessage = 512;
    g_tray.hIcon = g_icons[0];
    lstrcpyW(g_tray.szTip, L"\x52D5\x4F5C\x4E2D\x30FB\x30FB\x30FB");
    Shell_NotifyIconW(NIM_ADD, &g_tray);
    g_last_update = GetTickCount();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    UINT wait = 25;
    std::wstring counter;
    unsigned long tray = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--wait") wait = static_cast<UINT>(std::wcstoul(argv[i + 1], nullptr, 10));
        if (name == L"--counter") counter = argv[i + 1];
        if (name == L"--tray") tray = std::wcstoul(argv[i + 1], nullptr, 10);
    }
    if (!counter.empty()) {
        HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, counter.c_str());
        if (mapping)
            g_counter = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    if (tray) AddTray();
    if (tray == 2) g_update_thread = GetCurrentThreadId();
    timeBeginPeriod(wait);
    const UINT timer = timeSetEvent(wait, 5, Tick, 0, TIME_PERIODIC);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == WM_APP)
            UpdateTray(static_cast<int>(message.wParam));
        else
            DispatchMessageW(&message);
    }
    timeKillEvent(timer);
    timeEndPeriod(wait);
    if (tray) Shell_NotifyIconW(NIM_DELETE, &g_tray);
    return 0;
}
