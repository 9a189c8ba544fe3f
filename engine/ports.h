#pragma once
// The engine's view of the system beyond pads and output (engine/input/, engine/output/): small
// interfaces named after what the engine needs. The Win32 implementation of each (platform/win32/)
// calls exactly one Windows service; tests use recording fakes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pwstd {

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
    // As WritePrivateProfileStringA(section, key, NULL, file) deletes a key: its line goes, every
    // other line stays as it is. Nonzero when the key is no longer there. UI thread.
    virtual int32_t remove(const std::string& section, const std::string& key, const std::string& file) = 0;
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
