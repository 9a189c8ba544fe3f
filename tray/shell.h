#pragma once
// What the resident form needs of the desktop besides the engine's ports.
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
    // The folder of the running executable, without a trailing backslash.
    virtual std::string ExeFolder() = 0;
    // Ends the program at once: no further handler runs.
    [[noreturn]] virtual void EndProgram() = 0;
};

}  // namespace pwstd
