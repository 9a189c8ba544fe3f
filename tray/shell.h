#pragma once
// What the resident form needs of the desktop besides the engine's ports.
#include <cstdint>
#include <string>

namespace pwstd {

class Shell {
public:
    virtual ~Shell() = default;
    // SetForegroundWindow(the resident form's window), so the popup menu closes when the user
    // clicks elsewhere. UI thread.
    virtual void BringToForeground() = 0;
    // WinHelp(the resident form's window, path, HELP_CONTENTS, 0); does not wait. UI thread.
    virtual void OpenHelp(const std::string& path) = 0;
    // Opens the file with the program the system associates with its type (ShellExecute "open",
    // the path in Unicode); does not wait for that program. UI thread.
    virtual void OpenDocument(const std::string& path) = 0;
    // Whether a file, not a folder, is at the path.
    virtual bool FileExists(const std::string& path) = 0;
    // The system's major version as the kernel reports it, whatever compatibility mode the program
    // runs in (5 for Windows XP, 6 for Vista to 8.1, 10 for Windows 10 and 11); 0 when unknown.
    virtual uint32_t SystemMajorVersion() = 0;
    // The folder of the running executable, without a trailing backslash.
    virtual std::string ExeFolder() = 0;
    // Ends the program at once: no further handler runs.
    [[noreturn]] virtual void EndProgram() = 0;
};

// The window timer that tries again to add a tray icon the shell refused.
class RetryTimer {
public:
    virtual ~RetryTimer() = default;
    // SetTimer on the resident form's window: from now on the UI thread calls
    // Form1::TrayRetry_Timer about every `ms` ms until stop(); starting it again restarts the
    // period. UI thread.
    virtual void start(int32_t ms) = 0;
    // KillTimer: no further tick is queued. A tick queued before may still arrive. UI thread.
    virtual void stop() = 0;
};

}  // namespace pwstd
