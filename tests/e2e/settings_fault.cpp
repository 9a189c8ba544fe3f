#include "tests/e2e/settings_fault.h"

#include <stdexcept>

namespace pwstd::wintest {

namespace {

HANDLE Hold(const std::wstring& path, DWORD access, DWORD share) {
    HANDLE held = CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold the settings file open");
    return held;
}

}  // namespace

SettingsObstacle::SettingsObstacle(SettingsFault fault, const std::wstring& ini)
    : fault_(fault), ini_(ini), folder_(ini.substr(0, ini.find_last_of(L'\\'))) {
    switch (fault_) {
        case SettingsFault::None:
            break;
        case SettingsFault::ReadOnlyFile:
            SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_READONLY);
            held_ = Hold(ini_, GENERIC_READ, FILE_SHARE_READ);
            break;
        case SettingsFault::ReadOnlyFolder:
            SetFileAttributesW(folder_.c_str(), FILE_ATTRIBUTE_READONLY);
            held_ = Hold(ini_, GENERIC_READ, FILE_SHARE_READ);
            break;
        case SettingsFault::Locked:
            held_ = Hold(ini_, GENERIC_READ | GENERIC_WRITE, 0);
            break;
        case SettingsFault::Directory:
            if (!DeleteFileW(ini_.c_str()) || !CreateDirectoryW(ini_.c_str(), nullptr))
                throw std::runtime_error("cannot put a directory in the settings file's place");
            break;
    }
}

SettingsObstacle::~SettingsObstacle() { Release(); }

void SettingsObstacle::Release() {
    if (released_) return;
    released_ = true;
    if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
    if (fault_ == SettingsFault::ReadOnlyFile) SetFileAttributesW(ini_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (fault_ == SettingsFault::ReadOnlyFolder) SetFileAttributesW(folder_.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    if (fault_ == SettingsFault::Directory) RemoveDirectoryW(ini_.c_str());
}

bool IsEmptyDirectory(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    bool empty = true;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") empty = false;
    } while (empty && FindNextFileW(search, &found));
    FindClose(search);
    return empty;
}

}  // namespace pwstd::wintest
