#pragma once
// Helpers for the Windows tests, which run under Wine (or on Windows) with the programs they check
// as separate processes.
//
//   TestBinDir()           folder of the running test executable: the helpers are built there
//   StandinDllPath()       the stand-in winmm.dll (TestBinDir()\standin\winmm.dll)
//   KeyRecorderPath()      the key recorder executable
//   FromBuildPath(p)       a path baked in at build time ("/…" under Wine becomes "Z:\…")
//   TempDir                a fresh folder under %TEMP%, removed with its contents at the end
//   Stage(exe, dir, s)     copies exe into dir, and the stand-in beside it when s; returns the copy
//   Process::Start(...)    starts a program with extra environment variables; killed with the test
//                          (a job object) or by the destructor if still running
//   WaitFor(cond, t)       polls cond until it holds or t has passed; returns whether it held
//   StandinWinmm           creates the block that scripts the stand-in's joystick and records the
//                          timer calls; env() names it for the program: pass it to Process::Start
//   KeyRecorder            starts the low-level keyboard hook process and reads the keys it saw
//   KeyText(keys)          "+90 -90" (press, release) for readable assertions
//
// The stand-in is chosen by WINEDLLOVERRIDES=winmm=n,b, which Wine takes from the environment of
// the process that starts Wine, not from a child's environment block: ctest sets it for every test
// labelled "wine" and scripts/wine-env sets it for everything it runs. A program staged without the
// stand-in gets the system's winmm.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/support/key_block.h"
#include "tests/win32/support/standin_block.h"

namespace pwstd::wintest {

using namespace std::chrono_literals;
using Env = std::vector<std::pair<std::wstring, std::wstring>>;

std::wstring TestBinDir();
std::wstring StandinDllPath();
// The stand-in xinput1_4.dll (TestBinDir()\standin\xinput1_4.dll).
std::wstring StandinXInputDllPath();
std::wstring KeyRecorderPath();
std::wstring FromBuildPath(const char* path);
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

std::wstring Stage(const std::wstring& exe, const std::wstring& dir, bool with_standin);

// The whole file, as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

class Process {
public:
    // Starts `exe` with `args` (quoted as needed) in `dir` (the exe's folder when empty), with the
    // test's environment plus `env`. Throws std::runtime_error when the program cannot start.
    static Process Start(const std::wstring& exe, const std::vector<std::wstring>& args = {},
                         const Env& env = {}, const std::wstring& dir = {});
    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    bool running() const;
    // Waits up to `timeout`; true once the program has ended, with its exit code in `exit_code`.
    bool wait(std::chrono::milliseconds timeout, uint32_t* exit_code = nullptr) const;
    void kill();
    // Posts WM_QUIT to the program's first thread.
    bool post_quit() const;
    uint32_t pid() const { return pid_; }
    uint32_t thread_id() const { return thread_id_; }

private:
    void* process_ = nullptr;
    uint32_t pid_ = 0;
    uint32_t thread_id_ = 0;
};

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
             std::chrono::milliseconds step = 5ms);

// QueryPerformanceCounter, and its ticks as milliseconds; comparable across processes.
int64_t Qpc();
double QpcMs(int64_t ticks);

// Joystick script steps: a held reading, a centred idle stick, an unplugged joystick.
standin::JoyStep Held(uint32_t calls, uint32_t buttons, uint32_t x = 32768, uint32_t y = 32768);
standin::JoyStep Idle(uint32_t calls);
standin::JoyStep Unplugged(uint32_t calls);

class StandinWinmm {
public:
    StandinWinmm();  // a uniquely named block; the joystick reads as unplugged until scripted
    ~StandinWinmm();
    StandinWinmm(const StandinWinmm&) = delete;
    StandinWinmm& operator=(const StandinWinmm&) = delete;

    Env env() const;
    // Replaces the script; its first step begins with the next joyGetPosEx call. The last step
    // lasts for ever whatever its `calls`.
    void script(const std::vector<standin::JoyStep>& steps);
    void set(const standin::JoyStep& reading) { script({reading}); }
    // From the next call on, timeSetEvent fails (returns 0, starts nothing) while `fails` holds.
    void fail_timer(bool fails);
    // The script answers at joystick `id` only (0 until told); every other id reads as unplugged.
    void answer_at(uint32_t id);
    // What joy_bad() takes for a right call: dwFlags `flags` (0x83 until told), and joystick 0 only,
    // or, with `any_id`, any id below joyGetNumDevs().
    void expect_calls(uint32_t flags, bool any_id);
    // What joyGetDevCapsW reports at the id the script answers at: `result` 0 with `axes` and the
    // JOYCAPS flags `caps`, or `result` alone. Two axes and a hat until told.
    void pad_caps(uint32_t result, uint32_t axes, uint32_t caps);
    // The same, a call that succeeds: wNumAxes and wCaps.
    void set_caps(uint32_t axes, uint32_t caps);
    // The pad of the stand-in xinput1_4.dll: connected at `user` (0..3; -1 for none) with these
    // buttons, triggers and sticks, from the next XInputGetState call on.
    void set_xinput(int user, uint32_t buttons = 0, uint8_t left = 0, uint8_t right = 0,
                    int16_t lx = 0, int16_t ly = 0, int16_t rx = 0, int16_t ry = 0);
    uint32_t xinput_calls() const;

    uint32_t joy_calls() const;
    uint32_t joy_bad() const;
    uint32_t joy_ids() const;  // bit i set: joystick i was asked for
    uint32_t joy_thread() const;
    uint32_t caps_calls() const;
    uint32_t joy_fine() const;  // readings that asked the hat's fine angle
    uint32_t ticks() const;
    uint32_t overlaps() const;
    uint32_t tick_thread() const;
    int64_t first_tick_qpc() const;
    int64_t last_tick_qpc() const;
    // When step `step` of the current script was first read, and when the timer tick that read
    // it began (0 for a reading outside a tick); 0 while the step is unread.
    int64_t step_read_qpc(int step) const;
    int64_t step_read_tick_qpc(int step) const;
    std::vector<standin::CallRecord> calls() const;
    std::vector<standin::CallRecord> calls(standin::Call kind) const;

private:
    std::wstring name_;
    void* mapping_ = nullptr;
    standin::Block* block_ = nullptr;
};

struct KeyEvent {
    uint32_t vk = 0;
    bool up = false;
    bool injected = false;
    bool extended = false;
    int64_t qpc = 0;
    uint32_t scan = 0;  // the hardware scan code the event carried
};

struct MouseEvent {
    uint32_t message;  // WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_MOUSEWHEEL ...
    int32_t x, y;      // the cursor's point after it
    int32_t data;      // the wheel's amount, the X button
    bool injected;
};

class KeyRecorder {
public:
    // Starts the recorder and waits until its hook is in place; throws when it is not within 10 s.
    KeyRecorder();
    ~KeyRecorder();  // stops the recorder
    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;

    size_t count() const;
    // The keys seen so far among the records from number `from` on.
    std::vector<KeyEvent> keys(size_t from = 0) const;
    // The mouse events seen so far among the records from number `from` on.
    std::vector<MouseEvent> mice(size_t from = 0) const;
    bool wait_count(size_t n, std::chrono::milliseconds timeout) const;

private:
    std::wstring name_;
    void* mapping_ = nullptr;
    keylog::Block* block_ = nullptr;
    Process process_;
};

// "+vk" for a press, "-vk" for a release, separated by single spaces.
std::string KeyText(const std::vector<KeyEvent>& keys);

}  // namespace pwstd::wintest
