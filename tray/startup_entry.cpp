#include "tray/startup_entry.h"

namespace pwstd {

namespace {

std::string Unquoted(const std::string& command) {
    const size_t first = command.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const size_t last = command.find_last_not_of(" \t");
    std::string text = command.substr(first, last - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

bool DisabledByTaskManager(const std::optional<std::vector<uint8_t>>& approved) {
    return approved && !approved->empty() && ((*approved)[0] & 1) != 0;
}

bool StartsWithWindows(StartupRegistry& registry) {
    const StartupValues values = registry.Read();
    if (!values.run || DisabledByTaskManager(values.approved)) return false;
    const std::string path = Unquoted(*values.run);
    return !path.empty() && registry.SamePath(path, registry.ProgramPath());
}

void SetStartWithWindows(StartupRegistry& registry, bool on) {
    if (!on) {
        registry.RemoveRun();
        return;
    }
    registry.WriteRun("\"" + registry.ProgramPath() + "\"");
    // The user asked, in the program, for it to start: a mark Task Manager left would keep it off.
    if (DisabledByTaskManager(registry.Read().approved)) registry.RemoveApproved();
}

}  // namespace pwstd
