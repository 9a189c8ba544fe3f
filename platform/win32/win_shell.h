#pragma once
// The desktop services the resident form asks for, addressed to the hidden window.
#include <windows.h>

#include "tray/shell.h"

namespace pwstd {

class WinShell final : public Shell {
public:
    explicit WinShell(HWND window) : window_(window) {}

    void BringToForeground() override;
    void OpenHelp(const std::string& path) override;
    void OpenDocument(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    uint32_t SystemMajorVersion() override;
    std::string ExeFolder() override;
    [[noreturn]] void EndProgram() override;

private:
    HWND window_;
};

}  // namespace pwstd
