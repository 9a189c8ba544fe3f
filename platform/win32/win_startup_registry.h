#pragma once
// The start with Windows in the user's registry: the Run value and Task Manager's mark beside it,
// through the W calls, so a path in any script keeps every character.
#include "tray/startup_entry.h"

namespace pwstd {

class WinStartupRegistry final : public StartupRegistry {
public:
    std::string ProgramPath() override;
    StartupValues Read() override;
    void WriteRun(const std::string& command) override;
    void RemoveRun() override;
    void RemoveApproved() override;
    bool SamePath(const std::string& a, const std::string& b) override;
};

}  // namespace pwstd
