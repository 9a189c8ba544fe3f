#include "platform/win32/win_poll_timer.h"

#include <mmsystem.h>

#include <atomic>

namespace pwstd {
namespace {

std::atomic<PollCycle*> g_cycle{nullptr};

}  // namespace

void WinPollTimer::Run(PollCycle& cycle) { g_cycle.store(&cycle, std::memory_order_release); }

WinPollTimer::~WinPollTimer() { g_cycle.store(nullptr, std::memory_order_release); }

void WinPollTimer::begin_period(int32_t ms) { timeBeginPeriod(static_cast<UINT>(ms)); }

void WinPollTimer::end_period(int32_t ms) { timeEndPeriod(static_cast<UINT>(ms)); }

int32_t WinPollTimer::set_event(int32_t delay_ms, int32_t resolution_ms) {
    // Without TIME_KILL_SYNCHRONOUS a tick may still run after timeKillEvent has returned (a
    // reading of an absent joystick can take longer than the pause that follows the kill) and
    // press a key after the last releases, or run on state that is gone. The procedure never
    // waits for the user-interface thread, so waiting for it in the kill cannot deadlock.
    const MMRESULT id = timeSetEvent(static_cast<UINT>(delay_ms), static_cast<UINT>(resolution_ms),
                                     PadTimerProc, 1, TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    return static_cast<int32_t>(id);
}

void WinPollTimer::kill_event(int32_t id) { timeKillEvent(static_cast<UINT>(id)); }

void CALLBACK PadTimerProc(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    if (PollCycle* cycle = g_cycle.load(std::memory_order_acquire)) cycle->PadTimerProc();
}

}  // namespace pwstd
