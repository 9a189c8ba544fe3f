// A stand-in winmm.dll for the Windows tests. Placed next to the executable under test and chosen
// with WINEDLLOVERRIDES=winmm=n,b, it
//   - answers joyGetPosEx from the script in the shared block named by PWSTD_STANDIN (an unplugged
//     joystick when there is no block), at the one joystick id the test chose, with the hat's
//     position and the Z, R, U and V axes when the call asks for them; joyGetNumDevs reports 16
//     ids; joyGetDevCapsW reports the scripted axes and capabilities at that id,
//   - records timeBeginPeriod, timeEndPeriod, timeSetEvent and timeKillEvent with their arguments,
//   - forwards the timer calls to the system's own winmm, so the program gets the real periodic
//     timer on its own thread; each tick passes through a counting trampoline,
//   - or, when the test asks for it, lets timeSetEvent fail: no timer, result 0,
//   - and, as Windows may, runs one late tick 150 ms after timeKillEvent has returned for a timer
//     started without TIME_KILL_SYNCHRONOUS (a tick that was under way when the timer was killed).
//
// <mmsystem.h> is left out on purpose: it declares these functions as imports.
#include <windows.h>

#include <atomic>
#include <bit>
#include <iterator>

#include "tests/win32/support/standin_open.h"

namespace {

using pwstd::standin::At;
using pwstd::standin::Block;
using pwstd::standin::OpenBlock;
using pwstd::standin::TheBlock;
using pwstd::standin::Call;
using pwstd::standin::CallRecord;
using pwstd::standin::JoyStep;

struct JoyInfoEx {
    DWORD dwSize, dwFlags, dwXpos, dwYpos, dwZpos, dwRpos, dwUpos, dwVpos, dwButtons,
        dwButtonNumber, dwPOV, dwReserved1, dwReserved2;
};
static_assert(sizeof(JoyInfoEx) == 52);

struct JoyCapsW {
    WORD wMid, wPid;
    WCHAR szPname[32];
    UINT wXmin, wXmax, wYmin, wYmax, wZmin, wZmax, wNumButtons, wPeriodMin, wPeriodMax, wRmin,
        wRmax, wUmin, wUmax, wVmin, wVmax, wCaps, wMaxAxes, wNumAxes, wMaxButtons;
    WCHAR szRegKey[32];
    WCHAR szOEMVxD[260];
};
static_assert(sizeof(JoyCapsW) == 728);

using TimerProc = void(CALLBACK*)(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR);
using SetEventFn = UINT(WINAPI*)(UINT, UINT, TimerProc, DWORD_PTR, UINT);
using UintFn = UINT(WINAPI*)(UINT);
using TimeFn = DWORD(WINAPI*)();
using DevCapsFn = UINT(WINAPI*)(void*, UINT);

constexpr UINT kJoyErrParms = 165;
constexpr UINT kReturnXYButtons = 0x83;
constexpr UINT kReturnPov = 0x40, kReturnPovCts = 0x200, kCapsPovCts = 0x40;
constexpr UINT kReturnZ = 0x4, kReturnR = 0x8, kReturnU = 0x10, kReturnV = 0x20;
constexpr UINT kNumDevs = 16;

int64_t Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The system's winmm: with the override "n,b" a load by full path falls back to the builtin.
struct RealWinmm {
    SetEventFn set_event = nullptr;
    UintFn kill_event = nullptr;
    UintFn begin_period = nullptr;
    UintFn end_period = nullptr;
    TimeFn get_time = nullptr;
    DevCapsFn dev_caps = nullptr;
};

template <class Fn>
Fn Resolve(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

RealWinmm LoadReal() {
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH - 12);
    lstrcpyW(path + length, L"\\winmm.dll");
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&OpenBlock), &self);
    HMODULE real = LoadLibraryW(path);
    if (real == self) real = nullptr;
    return {Resolve<SetEventFn>(real, "timeSetEvent"), Resolve<UintFn>(real, "timeKillEvent"),
            Resolve<UintFn>(real, "timeBeginPeriod"),  Resolve<UintFn>(real, "timeEndPeriod"),
            Resolve<TimeFn>(real, "timeGetTime"),      Resolve<DevCapsFn>(real, "timeGetDevCaps")};
}

const RealWinmm& Real() {
    static const RealWinmm real = LoadReal();
    return real;
}

void Record(Call call, uint32_t a0, uint32_t a1, uint32_t a2, uint32_t a3, uint64_t callback,
            uint32_t result, int64_t when) {
    Block* block = TheBlock();
    if (!block) return;
    const uint32_t index = At(block->call_count).fetch_add(1);
    if (index >= pwstd::standin::kMaxCalls) return;
    CallRecord& record = block->calls[index];
    record.args[0] = a0;
    record.args[1] = a1;
    record.args[2] = a2;
    record.args[3] = a3;
    record.callback = callback;
    record.result = result;
    record.thread = GetCurrentThreadId();
    record.qpc = when;
    At(record.call).store(static_cast<uint32_t>(call), std::memory_order_release);
}

// The step that call number `n` falls in, its index and the call's position within it.
struct Scripted {
    JoyStep step;
    uint32_t index = 0;
    uint32_t offset = 0;
    bool any = false;
};

Scripted ReadScript(Block& block, uint32_t n) {
    for (;;) {
        const uint32_t before = At(block.seq).load(std::memory_order_acquire);
        if (before & 1) {
            YieldProcessor();
            continue;
        }
        Scripted found;
        const uint32_t count = At(block.step_count).load(std::memory_order_relaxed);
        const uint32_t base = At(block.script_base).load(std::memory_order_relaxed);
        uint32_t rest = n >= base ? n - base : 0;
        for (uint32_t i = 0; i < count && i < pwstd::standin::kMaxSteps; ++i) {
            JoyStep& s = block.steps[i];
            found.step = {At(s.calls).load(std::memory_order_relaxed),
                          At(s.result).load(std::memory_order_relaxed),
                          At(s.x).load(std::memory_order_relaxed),
                          At(s.y).load(std::memory_order_relaxed),
                          At(s.buttons).load(std::memory_order_relaxed),
                          At(s.flaky).load(std::memory_order_relaxed),
                          At(s.pov).load(std::memory_order_relaxed),
                          At(s.z).load(std::memory_order_relaxed),
                          At(s.r).load(std::memory_order_relaxed),
                          At(s.u).load(std::memory_order_relaxed),
                          At(s.v).load(std::memory_order_relaxed)};
            found.index = i;
            found.offset = rest;
            found.any = true;
            if (found.step.calls == 0 || rest < found.step.calls) break;
            rest -= found.step.calls;
        }
        std::atomic_thread_fence(std::memory_order_acquire);
        if (At(block.seq).load(std::memory_order_relaxed) == before) return found;
    }
}

// Timer procedures pass through here so the test can count ticks and see their thread.
struct Trampoline {
    TimerProc proc = nullptr;
    DWORD_PTR user = 0;
};
std::atomic<int> g_running_ticks{0};
// When the tick running on this thread began; 0 outside a tick.
thread_local int64_t t_tick_began = 0;

// The first reading of a step stamps it with its time and its tick's start.
void StampFirstRead(Block& block, uint32_t index, int64_t when) {
    if (index >= pwstd::standin::kMaxSteps) return;
    int64_t unread = 0;
    if (At(block.step_read_qpc[index]).compare_exchange_strong(unread, when))
        At(block.step_read_tick_qpc[index]).store(t_tick_began);
}

void CALLBACK Tick(UINT id, UINT message, DWORD_PTR context, DWORD_PTR r1, DWORD_PTR r2) {
    const auto* trampoline = reinterpret_cast<const Trampoline*>(context);
    Block* block = TheBlock();
    if (g_running_ticks.fetch_add(1) != 0 && block) At(block->overlaps).fetch_add(1);
    const int64_t began = Now();
    t_tick_began = began;
    if (block) {
        int64_t expected = 0;
        At(block->first_tick_qpc).compare_exchange_strong(expected, began);
        At(block->last_tick_qpc).store(began);
        At(block->tick_thread).store(GetCurrentThreadId());
        At(block->ticks).fetch_add(1);
    }
    trampoline->proc(id, message, trampoline->user, r1, r2);
    t_tick_began = 0;
    g_running_ticks.fetch_sub(1);
}

// The timers started, so a kill can find how its timer was started.
constexpr UINT kKillSynchronous = 0x100;  // TIME_KILL_SYNCHRONOUS
struct Started {
    std::atomic<UINT> id{0};
    std::atomic<Trampoline*> trampoline{nullptr};
    std::atomic<UINT> flags{0};
};
Started g_started[32];
std::atomic<uint32_t> g_started_count{0};

DWORD WINAPI LateTick(void* context) {
    Sleep(150);
    const auto* started = static_cast<const Started*>(context);
    Tick(started->id.load(), 0, reinterpret_cast<DWORD_PTR>(started->trampoline.load()), 0, 0);
    return 0;
}

}  // namespace

extern "C" {

UINT WINAPI StandinJoyGetPosEx(UINT id, JoyInfoEx* info) {
    Block* block = TheBlock();
    if (!block) return pwstd::standin::kUnplugged;
    const uint32_t n = At(block->joy_calls).fetch_add(1);
    const uint32_t flags = At(block->joy_flags).load();
    const bool right_id = At(block->joy_any_id).load() != 0 ? id < kNumDevs : id == 0;
    // A pad that reports any angle may be asked for it along with the hat.
    const bool fine = info && (info->dwFlags & kReturnPovCts) != 0 && (flags & kReturnPov) != 0 &&
                      (At(block->caps_flags).load() & kCapsPovCts) != 0;
    if (fine) At(block->joy_fine).fetch_add(1);
    if (!right_id || !info || info->dwSize != sizeof(JoyInfoEx) ||
        (info->dwFlags & ~(fine ? kReturnPovCts : 0u)) != (flags != 0 ? flags : kReturnXYButtons))
        At(block->joy_bad).fetch_add(1);
    if (id < 32) At(block->joy_ids).fetch_or(1u << id);
    At(block->joy_thread).store(GetCurrentThreadId());
    const int64_t now = Now();
    At(block->joy_last_qpc).store(now);
    const Scripted scripted = ReadScript(*block, n);
    if (scripted.any) StampFirstRead(*block, scripted.index, now);
    if (!info) return kJoyErrParms;
    if (id >= kNumDevs) return kJoyErrParms;
    if (!scripted.any || id != At(block->joy_id).load()) return pwstd::standin::kUnplugged;
    if (scripted.step.result != 0) return scripted.step.result;
    if (scripted.step.flaky && scripted.offset % 2 == 1) return pwstd::standin::kUnplugged;
    info->dwXpos = scripted.step.x;
    info->dwYpos = scripted.step.y;
    info->dwButtons = scripted.step.buttons;
    info->dwButtonNumber = static_cast<DWORD>(std::popcount(scripted.step.buttons));
    if (info->dwFlags & (kReturnPov | kReturnPovCts)) info->dwPOV = scripted.step.pov;
    if (info->dwFlags & kReturnZ) info->dwZpos = scripted.step.z;
    if (info->dwFlags & kReturnR) info->dwRpos = scripted.step.r;
    if (info->dwFlags & kReturnU) info->dwUpos = scripted.step.u;
    if (info->dwFlags & kReturnV) info->dwVpos = scripted.step.v;
    return 0;
}

UINT WINAPI StandinJoyGetNumDevs() { return kNumDevs; }

UINT WINAPI StandinJoyGetDevCapsW(UINT_PTR id, JoyCapsW* caps, UINT size) {
    Block* block = TheBlock();
    if (!block) return kJoyErrParms;
    At(block->caps_calls).fetch_add(1);
    const bool right_id = id == At(block->joy_id).load();
    if (!right_id || size != sizeof(JoyCapsW)) At(block->joy_bad).fetch_add(1);
    if (!caps || size != sizeof(JoyCapsW) || !right_id) return kJoyErrParms;
    const uint32_t result = At(block->caps_result).load();
    if (result != 0) return result;
    *caps = {};
    caps->wNumAxes = At(block->caps_axes).load();
    caps->wMaxAxes = 6;
    caps->wCaps = At(block->caps_flags).load();
    caps->wNumButtons = caps->wMaxButtons = 32;
    caps->wXmax = caps->wYmax = 65535;
    return 0;
}

UINT WINAPI StandinTimeBeginPeriod(UINT period) {
    const int64_t when = Now();
    const UINT result = Real().begin_period ? Real().begin_period(period) : 0;
    Record(Call::BeginPeriod, period, 0, 0, 0, 0, result, when);
    return result;
}

UINT WINAPI StandinTimeEndPeriod(UINT period) {
    const int64_t when = Now();
    const UINT result = Real().end_period ? Real().end_period(period) : 0;
    Record(Call::EndPeriod, period, 0, 0, 0, 0, result, when);
    return result;
}

UINT WINAPI StandinTimeSetEvent(UINT delay, UINT resolution, TimerProc proc, DWORD_PTR user,
                                UINT flags) {
    const int64_t when = Now();
    UINT id = 0;
    Block* block = TheBlock();
    const bool fails = block && At(block->timer_fails).load() != 0;
    if (Real().set_event && proc && !fails) {
        // Lives as long as the process: a tick may still be running when its timer is killed.
        auto* trampoline = new Trampoline{proc, user};
        id = Real().set_event(delay, resolution, Tick, reinterpret_cast<DWORD_PTR>(trampoline),
                              flags);
        const uint32_t slot = g_started_count.fetch_add(1);
        if (id != 0 && slot < std::size(g_started)) {
            g_started[slot].trampoline.store(trampoline);
            g_started[slot].flags.store(flags);
            g_started[slot].id.store(id);
        }
    }
    Record(Call::SetEvent, delay, resolution, static_cast<uint32_t>(user), flags,
           reinterpret_cast<uint64_t>(proc), id, when);
    return id;
}

UINT WINAPI StandinTimeKillEvent(UINT id) {
    const UINT result = Real().kill_event ? Real().kill_event(id) : 0;
    const int64_t when = Now();  // once no further tick may start
    Record(Call::KillEvent, id, 0, 0, 0, 0, result, when);
    for (Started& started : g_started) {
        if (id == 0 || started.id.load() != id) continue;
        if ((started.flags.load() & kKillSynchronous) == 0) {
            if (HANDLE late = CreateThread(nullptr, 0, LateTick, &started, 0, nullptr)) CloseHandle(late);
        }
        break;
    }
    return result;
}

DWORD WINAPI StandinTimeGetTime() { return Real().get_time ? Real().get_time() : GetTickCount(); }

UINT WINAPI StandinTimeGetDevCaps(void* caps, UINT size) {
    return Real().dev_caps ? Real().dev_caps(caps, size) : 97;  // TIMERR_NOCANDO
}

}  // extern "C"
