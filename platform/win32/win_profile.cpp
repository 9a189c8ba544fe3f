#include "platform/win32/win_profile.h"

#include <windows.h>

#include "platform/win32/win_text.h"

namespace pwstd {

std::string WinProfile::get(const std::string& section, const std::string& key,
                            const std::string& def, const std::string& file) {
    // Zeroed: when the 254-byte cut splits a double-byte character, the service leaves the byte
    // after the last whole character as it was.
    char buffer[255] = {};
    GetPrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                             Utf8ToAnsi(def).c_str(), buffer, sizeof buffer,
                             Utf8ToAnsi(file).c_str());
    return AnsiToUtf8(buffer);
}

int32_t WinProfile::put(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file) {
    return WritePrivateProfileStringA(Utf8ToAnsi(section).c_str(), Utf8ToAnsi(key).c_str(),
                                      Utf8ToAnsi(value).c_str(), Utf8ToAnsi(file).c_str());
}

}  // namespace pwstd
