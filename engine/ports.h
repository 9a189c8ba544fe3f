#pragma once
// The engine's view of the system: small interfaces named after what the engine needs. The Win32
// implementation of each (platform/win32/) calls exactly one Windows service; tests use recording
// fakes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pwstd {

// JOYINFOEX dwFlags values: X, Y and buttons (JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS), and
// the point-of-view hat (JOY_RETURNPOV).
constexpr uint32_t kJoyReturnXYButtons = 0x83;
constexpr uint32_t kJoyReturnPov = 0x40;
// The Z, R, U and V axes (JOY_RETURNZ | JOY_RETURNR | JOY_RETURNU | JOY_RETURNV).
constexpr uint32_t kJoyReturnZRUV = 0x3C;
// dwPOV of a hat at rest (JOY_POVCENTERED).
constexpr uint32_t kJoyPovCentered = 65535;

// One raw joystick reading: axis positions 0..65535, the 32-bit button mask and the hat position in
// hundredths of a degree clockwise from forward.
struct JoyReading {
    uint32_t Xpos = 0;
    uint32_t Ypos = 0;
    uint32_t Buttons = 0;
    uint32_t Pov = kJoyPovCentered;
    // The other four axes, 0..65535; they mean something only when the call asked for them.
    uint32_t Zpos = 0;
    uint32_t Rpos = 0;
    uint32_t Upos = 0;
    uint32_t Vpos = 0;
};

// JOYCAPS wCaps flags: the joystick has a Z, R, U or V axis, or a point-of-view hat.
constexpr uint32_t kJoyCapsHasZ = 0x01;
constexpr uint32_t kJoyCapsHasR = 0x02;
constexpr uint32_t kJoyCapsHasU = 0x04;
constexpr uint32_t kJoyCapsHasV = 0x08;
constexpr uint32_t kJoyCapsHasPov = 0x10;

// What a joystick says it has: the number of axes in use (wNumAxes) and the kJoyCaps flags (wCaps).
struct JoyCaps {
    uint32_t axes = 0;
    uint32_t caps = 0;
};

class PadSource {
public:
    virtual ~PadSource() = default;
    // Reads joystick `id` once into `out` (joyGetPosEx with dwFlags = `flags`: kJoyReturnXYButtons,
    // with kJoyReturnPov added when the hat is wanted and kJoyReturnZRUV when the other axes are;
    // `out.Pov` and the other axes mean something only then).
    // Returns 0 on success, else the service's nonzero code (for example 167 when unplugged) and
    // leaves `out` unspecified. Called from the timer thread and the UI thread, possibly at the
    // same moment: an implementation fills only `out`, never a record shared between calls.
    virtual uint32_t read(int32_t id, uint32_t flags, JoyReading& out) = 0;
    // How many joystick ids the service supports (joyGetNumDevs); ids run from 0 to this less 1.
    // Any thread.
    virtual uint32_t joysticks() = 0;
    // What joystick `id` has (joyGetDevCapsW): 0 on success, else the service's code and `out`
    // unspecified. Any thread.
    virtual uint32_t caps(int32_t id, JoyCaps& out) = 0;
};

// One XInput pad's state (XINPUT_GAMEPAD): the button bits, the triggers 0..255 and the sticks,
// whose Y axes point up.
struct XInputPad {
    uint16_t buttons = 0;
    uint8_t left_trigger = 0;
    uint8_t right_trigger = 0;
    int16_t lx = 0;
    int16_t ly = 0;
    int16_t rx = 0;
    int16_t ry = 0;
};

class XInputPort {
public:
    virtual ~XInputPort() = default;
    // XInputGetState(user, ...) for user 0..3: 0 with `out` filled, else the nonzero code
    // (ERROR_DEVICE_NOT_CONNECTED, 1167, for a user with no pad). Any thread.
    virtual uint32_t state(uint32_t user, XInputPad& out) = 0;
};

class KeySink {
public:
    virtual ~KeySink() = default;
    // Keys are about to be sent (one poll's, or the releases at quit): look up once what they
    // share, e.g. the keyboard layout in use. Called before the first send of every such batch,
    // on the thread that sends it.
    virtual void begin_keys() {}
    // Sends one synthetic key press (`up` false) or release (`up` true) of virtual key `vk` to the
    // window with the keyboard focus (keybd_event(vk, 0, 0 or KEYEVENTF_KEYUP, 0); with scan codes
    // on, the key's scan code in the keyboard layout of the foreground window and flags as
    // KeyEventFor says). Timer thread; at quit, the UI thread after the timer is stopped.
    virtual void send(uint8_t vk, bool up) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The system millisecond tick count (GetTickCount); wraps after about 49.7 days. Any thread.
    virtual uint32_t ticks() = 0;
};

// NOTIFYICONDATA uFlags values.
constexpr uint32_t kNifMessage = 1;
constexpr uint32_t kNifIcon = 2;
constexpr uint32_t kNifTip = 4;

enum class TrayMessage : uint32_t { Add = 0, Modify = 1, Delete = 2 };  // NIM_ADD, NIM_MODIFY, NIM_DELETE

// The variable part of the tray icon record; window, icon id 0 and callback message 512 are fixed
// by the implementation.
struct TrayRecord {
    uint32_t flags = 0;  // kNifMessage | kNifIcon | kNifTip as wanted
    int16_t icon = 0;    // image number: 0 = paused icon, 1..4 = running frames
    std::string tip;     // UTF-8; at most 63 bytes once in the record
};

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Shell_NotifyIcon(message, record); true when the shell took it, false when there is no
    // shell, it refused or it did not answer in time. UI thread only: the call waits for the
    // shell, seconds while it is busy or hung.
    virtual bool notify(TrayMessage message, const TrayRecord& record) = 0;
};

class RateSignal {
public:
    virtual ~RateSignal() = default;
    // Tells the UI thread that a rate display waits to be taken (PollCycle::TakePollRate) and shown
    // in the tray icon. Timer thread: returns at once and never waits on another thread, window or
    // process (a posted message, never a sent one, never the shell itself). False when the signal
    // could not be queued (a full message queue): then it will not arrive.
    virtual bool post() = 0;
};

class PollTimer {
public:
    virtual ~PollTimer() = default;
    // timeBeginPeriod(ms) / timeEndPeriod(ms). UI thread.
    virtual void begin_period(int32_t ms) = 0;
    virtual void end_period(int32_t ms) = 0;
    // timeSetEvent(delay, resolution, PadTimerProc, 1, TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    // returns the timer id, 0 on failure. From then on the poll cycle runs every `delay` ms on the
    // timer's own thread. UI thread.
    virtual int32_t set_event(int32_t delay_ms, int32_t resolution_ms) = 0;
    // timeKillEvent(id); when it returns, no tick of that timer runs any more, not even one that
    // had begun. UI thread.
    virtual void kill_event(int32_t id) = 0;
};

class Sleeper {
public:
    virtual ~Sleeper() = default;
    // Sleep(ms) on the calling thread.
    virtual void sleep(int32_t ms) = 0;
};

class Profile {
public:
    virtual ~Profile() = default;
    // As GetPrivateProfileStringA(section, key, def, buffer of 255, file) reads it: the value
    // (UTF-8 here, ANSI in the file), `def` when the file, section or key is missing, "" for an
    // empty value; at most 254 ANSI bytes. Names compare without regard to case. `file` may name
    // a folder in any script. UI thread.
    virtual std::string get(const std::string& section, const std::string& key,
                            const std::string& def, const std::string& file) = 0;
    // As WritePrivateProfileStringA(section, key, value, file) writes it: replaces the key in
    // place, or adds it (and its section, and the file) at the end. Returns nonzero when written.
    // UI thread.
    virtual int32_t put(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file) = 0;
};

class TemplateSignal {
public:
    virtual ~TemplateSignal() = default;
    // Tells the UI thread that the template button went down; the UI thread then moves the key map
    // to the next template. Timer thread: returns at once and never waits (a posted message).
    virtual void post() = 0;
};

// The system's ANSI code page, in which the settings file keeps its text.
class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    // Whether the code page holds `character` (one code point, UTF-8) as itself, so that the file
    // gives back the same character and not the default "?" or a look-alike (WideCharToMultiByte
    // with WC_NO_BEST_FIT_CHARS and its "used default" flag). Any thread.
    virtual bool holds(std::string_view character) const = 0;
};

// A section of the settings file as a whole, for lists kept in it one key a line.
class ProfileSection {
public:
    virtual ~ProfileSection() = default;
    // The names of the keys of `section` in the file, in file order (UTF-8); none when the file or
    // the section is missing. UI thread.
    virtual std::vector<std::string> keys(const std::string& section, const std::string& file) = 0;
    // Deletes the key (WritePrivateProfileString with no value). Returns nonzero when done. UI thread.
    virtual int32_t remove(const std::string& section, const std::string& key, const std::string& file) = 0;
};

}  // namespace pwstd
