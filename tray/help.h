#pragma once
// The popup item "ヘルプ": which help opens, and how.
#include "tray/shell.h"

namespace pwstd {

// The HTML help, below the program's folder.
inline constexpr const char* kHtmlHelpFile = "help\\index.html";

// Opens "PWSTD.HLP" next to the program with the Windows help engine where that still works (an
// older system than Windows 10 and the file present), otherwise the HTML help in the browser; when
// neither is there, nothing happens. Never waits for the help window. UI thread.
void OpenProgramHelp(Shell& shell);

}  // namespace pwstd
