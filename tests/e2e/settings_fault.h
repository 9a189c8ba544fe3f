#pragma once
// Something standing between PwStd and its settings file, put in place by a test and taken away
// again before the test looks at the file. Under Wine, run as root as the test runs are, Windows'
// read-only marks alone stop nothing: root may write any file, and Wine ignores the read-only
// attribute of a folder. What really refuses a write there, as on Windows, is a handle held on the
// file that does not share writing; so the read-only cases hold one besides setting the marks.
#include <windows.h>

#include <string>

namespace pwstd::wintest {

enum class SettingsFault {
    None,
    ReadOnlyFile,    // the read-only attribute, and the file held open against writers
    ReadOnlyFolder,  // the folder marked read-only, and the file in it held open against writers
    Locked,          // the file held open by another program that shares nothing, not even reading
    Directory,       // the file replaced by a directory named like it
};

class SettingsObstacle {
public:
    // Puts `fault` in place for the settings file at `ini`, which exists.
    SettingsObstacle(SettingsFault fault, const std::wstring& ini);
    ~SettingsObstacle();
    SettingsObstacle(const SettingsObstacle&) = delete;
    SettingsObstacle& operator=(const SettingsObstacle&) = delete;

    // Takes the fault away: the file is as the program left it (for Directory: there is none).
    void Release();

private:
    SettingsFault fault_;
    std::wstring ini_;
    std::wstring folder_;
    HANDLE held_ = INVALID_HANDLE_VALUE;
    bool released_ = false;
};

// True when `path` is a directory with nothing in it.
bool IsEmptyDirectory(const std::wstring& path);

}  // namespace pwstd::wintest
