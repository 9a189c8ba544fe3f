#pragma once
// The process's power throttling: the poll timer needs the timer resolution it asks for.

namespace pwstd {

// Asks the system to honour the process's timer resolution even though it never shows a window.
// Where the call does not exist (before Windows 8) nothing changes. Call once at start-up.
void KeepTimerResolutionWhileHidden();

}  // namespace pwstd
