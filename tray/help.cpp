#include "tray/help.h"

#include <string>

#include "engine/settings.h"

namespace pwstd {

namespace {

// Windows 10 dropped the Windows help engine: WinHelp there shows only a page saying so. Before it
// the engine is built in (XP) or an optional part that shows its own message when it is missing
// (Vista to 8.1), which is how an old help file was always reported.
bool HasHelpEngine(uint32_t major_version) { return major_version != 0 && major_version < 10; }

}  // namespace

void OpenProgramHelp(Shell& shell) {
    const std::string folder = AddBackslash(shell.ExeFolder());
    const std::string old_help = folder + kHelpFileName;
    if (HasHelpEngine(shell.SystemMajorVersion()) && shell.FileExists(old_help)) {
        shell.OpenHelp(old_help);
        return;
    }
    // A missing file would make the shell show a message of its own; nothing is reported instead.
    const std::string html_help = folder + kHtmlHelpFile;
    if (shell.FileExists(html_help)) shell.OpenDocument(html_help);
}

}  // namespace pwstd
