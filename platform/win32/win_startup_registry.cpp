#include "platform/win32/win_startup_registry.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/win_text.h"

namespace pwstd {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kApprovedKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The value's bytes, nothing when the key or the value is missing.
std::optional<std::vector<uint8_t>> ValueBytes(const wchar_t* key, DWORD flags, DWORD* type) {
    const std::wstring name = Utf8ToWide(kRunValueName);
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), flags, type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<uint8_t> bytes(size);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), flags, type, bytes.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    bytes.resize(size);
    return bytes;
}

void DeleteValue(const wchar_t* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    RegDeleteValueW(handle, Utf8ToWide(kRunValueName).c_str());
    RegCloseKey(handle);
}

}  // namespace

std::string WinStartupRegistry::ProgramPath() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return WideToUtf8(path);
}

StartupValues WinStartupRegistry::Read() {
    StartupValues values;
    // Read as the plain string the program writes; a value of another type is not this program's.
    if (const auto run = ValueBytes(kRunKey, RRF_RT_REG_SZ, nullptr)) {
        std::wstring text(reinterpret_cast<const wchar_t*>(run->data()), run->size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        values.run = WideToUtf8(text);
    }
    values.approved = ValueBytes(kApprovedKey, RRF_RT_ANY, nullptr);
    return values;
}

void WinStartupRegistry::WriteRun(const std::string& command) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return;
    const std::wstring text = Utf8ToWide(command);
    RegSetValueExW(handle, Utf8ToWide(kRunValueName).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void WinStartupRegistry::RemoveRun() { DeleteValue(kRunKey); }

void WinStartupRegistry::RemoveApproved() { DeleteValue(kApprovedKey); }

bool WinStartupRegistry::SamePath(const std::string& a, const std::string& b) {
    const std::wstring first = Utf8ToWide(a), second = Utf8ToWide(b);
    return CompareStringOrdinal(first.c_str(), static_cast<int>(first.size()), second.c_str(),
                                static_cast<int>(second.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace pwstd
