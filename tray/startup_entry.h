#pragma once
// Starting with Windows: the value "PwStd" under the user's Run key, which holds this program's
// full path in double quotes, and the mark Task Manager keeps beside it when the user turned the
// entry off there. What the program shows and writes is decided here; the registry calls are the
// platform's. Paths are UTF-8 and may name folders in any script.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pwstd {

inline constexpr const char* kRunValueName = "PwStd";

// The two values as the registry holds them now.
struct StartupValues {
    std::optional<std::string> run;                // HKCU\...\CurrentVersion\Run "PwStd"
    std::optional<std::vector<uint8_t>> approved;  // HKCU\...\Explorer\StartupApproved\Run "PwStd"
};

class StartupRegistry {
public:
    virtual ~StartupRegistry() = default;
    // The full path of the running executable (GetModuleFileNameW). UI thread.
    virtual std::string ProgramPath() = 0;
    // Both values, each absent when the key or the value is missing. UI thread.
    virtual StartupValues Read() = 0;
    // Writes the Run value as a string (REG_SZ), creating the key when needed. UI thread.
    virtual void WriteRun(const std::string& command) = 0;
    // Deletes the Run value, or the StartupApproved value; nothing when it is missing. UI thread.
    virtual void RemoveRun() = 0;
    virtual void RemoveApproved() = 0;
    // Whether two paths name the same file as the file system compares names: code unit by code
    // unit, without regard to case in every script (CompareStringOrdinal ignoring case).
    virtual bool SamePath(const std::string& a, const std::string& b) = 0;
};

// Whether Task Manager marks the entry disabled: the value's first byte is odd.
bool DisabledByTaskManager(const std::optional<std::vector<uint8_t>>& approved);
// What the check box shows: the Run value names this program (blanks around it and one pair of
// double quotes aside, the same path) and is not disabled. A value that names another path (a copy
// moved elsewhere) shows off.
bool StartsWithWindows(StartupRegistry& registry);
// The check box changed to `on`: writes the Run value and removes a mark that disables it, or
// removes the Run value. Call only when the box changed.
void SetStartWithWindows(StartupRegistry& registry, bool on);

}  // namespace pwstd
