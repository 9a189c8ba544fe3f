#pragma once
// The named shared-memory block through which a test scripts the stand-in winmm.dll and reads what
// the program under test asked of it. The test creates the block and names it in the program's
// environment variable PWSTD_STANDIN; without the block the stand-in reports an unplugged joystick.
//
// Fields are plain integers accessed with std::atomic_ref from both processes. The script is
// written by the test only, under a sequence counter that is odd while a write is in progress.
#include <cstdint>

namespace pwstd::standin {

inline constexpr uint32_t kMagic = 0x4D4E4957;  // "WINM"
inline constexpr const wchar_t* kEnvName = L"PWSTD_STANDIN";
inline constexpr int kMaxSteps = 64;
inline constexpr int kMaxCalls = 256;
inline constexpr uint32_t kUnplugged = 167;  // JOYERR_UNPLUGGED

// One step of the joystick script: what joyGetPosEx reports for `calls` consecutive calls.
struct JoyStep {
    uint32_t calls = 0;    // how many calls the step lasts; 0 = for ever
    uint32_t result = 0;   // 0: the reading succeeds; otherwise the code returned, no data
    uint32_t x = 32768;    // dwXpos
    uint32_t y = 32768;    // dwYpos
    uint32_t buttons = 0;  // dwButtons
    uint32_t flaky = 0;    // nonzero: every second call of the step fails with kUnplugged
    uint32_t pov = 65535;  // dwPOV, given when the call asks for the hat; 65535 = centred
    // dwZpos, dwRpos, dwUpos, dwVpos, given when the call asks for them.
    uint32_t z = 32768;
    uint32_t r = 32768;
    uint32_t u = 32768;
    uint32_t v = 32768;
};

enum class Call : uint32_t { BeginPeriod = 1, EndPeriod = 2, SetEvent = 3, KillEvent = 4 };

// One timeBeginPeriod / timeEndPeriod / timeSetEvent / timeKillEvent call.
struct CallRecord {
    uint32_t call = 0;       // Call
    uint32_t args[4] = {};   // BeginPeriod, EndPeriod: period; SetEvent: delay, resolution,
                             // user value, flags; KillEvent: id
    uint64_t callback = 0;   // SetEvent: the procedure's address (0 when none was given)
    uint32_t result = 0;     // the call's result (the timer id for SetEvent)
    uint32_t thread = 0;     // id of the calling thread
    int64_t qpc = 0;         // QueryPerformanceCounter when the call was made; for KillEvent,
                             // when it returned
};

struct Block {
    uint32_t magic = 0;

    // Joystick script, written by the test.
    uint32_t seq = 0;
    uint32_t step_count = 0;   // 0: every call reports kUnplugged
    uint32_t script_base = 0;  // joyGetPosEx call number at which step 0 begins
    JoyStep steps[kMaxSteps];
    uint32_t timer_fails = 0;  // nonzero: timeSetEvent starts no timer and returns 0
    uint32_t joy_id = 0;       // the joystick id the script answers at; any other is unplugged
    uint32_t joy_flags = 0;    // the dwFlags a right call carries; 0 stands for 0x83
    uint32_t joy_any_id = 0;   // nonzero: a call for any id below joyGetNumDevs() is right
    // What joyGetDevCapsW reports at joy_id: caps_result 0 gives wNumAxes caps_axes and wCaps
    // caps_flags, any other value is returned instead. At any other id: JOYERR_PARMS.
    uint32_t caps_result = 0;
    uint32_t caps_axes = 0;
    uint32_t caps_flags = 0;

    // Records, written by the stand-in.
    uint32_t joy_calls = 0;    // joyGetPosEx calls so far
    uint32_t joy_bad = 0;      // calls with an id other than 0 (or, with joy_any_id, not below
                               // joyGetNumDevs()), dwSize other than 52 or other dwFlags than
                               // joy_flags; joyGetDevCapsW calls at another id than joy_id or
                               // with a size other than that of JOYCAPSW
    uint32_t caps_calls = 0;   // joyGetDevCapsW calls so far
    uint32_t joy_fine = 0;     // calls that asked the hat to the hundredth of a degree (0x200),
                               // which a right call may add to joy_flags when caps_flags has
                               // JOYCAPS_POVCTS
    uint32_t joy_ids = 0;      // bit i set: a call asked for joystick i (0..31)
    uint32_t joy_thread = 0;   // thread of the last joyGetPosEx call
    int64_t joy_last_qpc = 0;  // when the last call was made
    uint32_t call_count = 0;
    CallRecord calls[kMaxCalls];
    uint32_t ticks = 0;        // timer procedure calls delivered
    uint32_t overlaps = 0;     // ticks that began while another tick of any timer ran
    uint32_t tick_thread = 0;  // thread of the last tick
    int64_t first_tick_qpc = 0;
    int64_t last_tick_qpc = 0;
    // For each step of the current script: when it was first read, and when the timer tick that
    // read it began (0 for a reading outside a tick). Cleared by every new script.
    int64_t step_read_qpc[kMaxSteps] = {};
    int64_t step_read_tick_qpc[kMaxSteps] = {};

    // The stand-in xinput1_4.dll: the pad of user xinput_user - 1 (none while 0), written by the
    // test at any time; its XInputGetState calls, counted by the stand-in.
    uint32_t xinput_user = 0;
    uint32_t xinput_buttons = 0;
    uint32_t xinput_triggers = 0;  // left | right << 8
    int32_t xinput_lx = 0;
    int32_t xinput_ly = 0;
    int32_t xinput_rx = 0;
    int32_t xinput_ry = 0;
    uint32_t xinput_calls = 0;
};

}  // namespace pwstd::standin
