#include "platform/win32/win_profile.h"

#include <windows.h>

#include "platform/win32/win_text.h"

namespace pwstd {
namespace {

// The longest value the ANSI profile service hands back: 254 bytes in the system code page.
constexpr size_t kValueBytes = 254;

// `ansi` cut to at most `bytes` bytes, never inside a double-byte character.
std::string_view WholeCharacters(std::string_view ansi, size_t bytes) {
    size_t end = 0;
    while (end < ansi.size()) {
        const size_t next = end + (IsDBCSLeadByte(static_cast<BYTE>(ansi[end])) ? 2 : 1);
        if (next > bytes || next > ansi.size()) break;
        end = next;
    }
    return ansi.substr(0, end);
}

}  // namespace

// The Unicode calls take the file's path as it is, so a folder named in any script works; the
// file itself stays ANSI text in the system code page, which the service converts on both ways.
std::string WinProfile::get(const std::string& section, const std::string& key,
                            const std::string& def, const std::string& file) {
    // 254 characters are at least the 254 bytes a value keeps.
    wchar_t buffer[kValueBytes + 1] = {};
    GetPrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                             Utf8ToWide(def).c_str(), buffer, kValueBytes + 1,
                             Utf8ToWide(file).c_str());
    // Measured and cut in the file's code page, as the ANSI service cuts it.
    const std::string ansi = WideToAnsi(buffer);
    return AnsiToUtf8(WholeCharacters(ansi, kValueBytes));
}

int32_t WinProfile::put(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file) {
    return WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                                      Utf8ToWide(value).c_str(), Utf8ToWide(file).c_str());
}

int32_t WinProfile::remove(const std::string& section, const std::string& key, const std::string& file) {
    return WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(), nullptr,
                                      Utf8ToWide(file).c_str());
}

}  // namespace pwstd
