#include "platform/win32/win_power_throttling.h"

#include <windows.h>

namespace pwstd {

// Windows 11 may ignore timeBeginPeriod for a process none of whose windows is visible, as a
// power saving: the poll timer then ticks only every 15.6 ms or so, and a 10 ms Wait polls a third
// slower than set. The only window of this program is never shown, so it opts out: the control
// mask names the timer resolution rule, the state mask 0 turns the throttling of it off.
//
// SetProcessInformation is looked up rather than imported, so the program still starts on Windows
// 7, where it does not exist; a system that does not know the setting refuses it, which changes
// nothing either.
void KeepTimerResolutionWhileHidden() {
    using SetProcessInformationFn = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel) return;
    const auto set_information = reinterpret_cast<SetProcessInformationFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessInformation")));
    if (!set_information) return;
    PROCESS_POWER_THROTTLING_STATE throttling{};
    throttling.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    throttling.ControlMask = PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
    throttling.StateMask = 0;
    set_information(GetCurrentProcess(), ProcessPowerThrottling, &throttling, sizeof throttling);
}

}  // namespace pwstd
