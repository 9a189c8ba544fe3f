#pragma once
#include <string>
#include <vector>

#include "tray/startup_entry.h"

namespace pwstd {

// A registry that keeps both values and logs every change.
class FakeStartup final : public StartupRegistry {
public:
    std::string program = "C:\\Jeux\\Pädwright\\PwStd.exe";
    StartupValues values;
    std::vector<std::string> log;
    std::string ProgramPath() override { return program; }
    StartupValues Read() override { return values; }
    void WriteRun(const std::string& command) override {
        values.run = command;
        log.push_back("run=" + command);
    }
    void RemoveRun() override {
        values.run.reset();
        log.push_back("remove run");
    }
    void RemoveApproved() override {
        values.approved.reset();
        log.push_back("remove approved");
    }
    // Case aside for ASCII letters only; the system's comparison is tried under Wine.
    bool SamePath(const std::string& a, const std::string& b) override {
        const auto lower = [](std::string s) {
            for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
            return s;
        };
        return lower(a) == lower(b);
    }
};

}  // namespace pwstd
