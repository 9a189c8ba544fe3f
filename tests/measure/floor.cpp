// pwstd_floor.exe [--wait ms (25)] [--counter name]: the least a joystick poller can do, the
// yardstick for the program's footprint. A periodic multimedia timer of `wait` ms (resolution 5 ms,
// the timer period set to `wait`, as the program sets it) makes one joyGetPosEx reading per tick;
// the main thread waits in a message loop until WM_QUIT. With --counter, each tick also adds one to
// the first 32-bit word of the named shared memory, so a measurer can count the polls.
#include <windows.h>
#include <mmsystem.h>

#include <cwchar>
#include <string>

namespace {

volatile LONG* g_counter = nullptr;

void CALLBACK Tick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
    joyGetPosEx(JOYSTICKID1, &info);
    if (g_counter) InterlockedIncrement(g_counter);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    UINT wait = 25;
    std::wstring counter;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--wait") wait = static_cast<UINT>(std::wcstoul(argv[i + 1], nullptr, 10));
        if (name == L"--counter") counter = argv[i + 1];
    }
    if (!counter.empty()) {
        HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, counter.c_str());
        if (mapping)
            g_counter = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    timeBeginPeriod(wait);
    const UINT timer = timeSetEvent(wait, 5, Tick, 0, TIME_PERIODIC);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    timeKillEvent(timer);
    timeEndPeriod(wait);
    return 0;
}
