#pragma once
// The periodic multimedia timer that drives the poll cycle.
//
// The timer calls PadTimerProc with user value 1, so the procedure cannot learn its poll cycle from
// its arguments: the program's poll cycle is registered with its WinPollTimer before any timer is
// started, and PadTimerProc runs that cycle.
#include <windows.h>

#include "engine/poll_cycle.h"
#include "engine/ports.h"

namespace pwstd {

class WinPollTimer final : public PollTimer {
public:
    // One per process.
    WinPollTimer() = default;
    // Registers `cycle` as the poll cycle PadTimerProc runs. UI thread, while no timer runs.
    void Run(PollCycle& cycle);
    // Unregisters the cycle; kill the timer first.
    ~WinPollTimer() override;
    WinPollTimer(const WinPollTimer&) = delete;
    WinPollTimer& operator=(const WinPollTimer&) = delete;

    void begin_period(int32_t ms) override;
    void end_period(int32_t ms) override;
    int32_t set_event(int32_t delay_ms, int32_t resolution_ms) override;
    void kill_event(int32_t id) override;
};

// The multimedia timer procedure: ignores its arguments and runs one poll of the registered cycle.
void CALLBACK PadTimerProc(UINT timer_id, UINT message, DWORD_PTR user, DWORD_PTR reserved1,
                           DWORD_PTR reserved2);

}  // namespace pwstd
