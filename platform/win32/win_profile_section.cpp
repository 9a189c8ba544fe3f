#include "platform/win32/win_profile_section.h"

#include <windows.h>

#include "platform/win32/win_text.h"

namespace pwstd {

// Without a key name the service lists the section's keys, each ended by a NUL, the list by a
// second one; a list that does not fit comes back cut at size - 2, so the buffer grows until it fits.
std::vector<std::string> WinProfileSection::keys(const std::string& section, const std::string& file) {
    const std::wstring wide_section = Utf8ToWide(section), wide_file = Utf8ToWide(file);
    std::wstring buffer(4096, L'\0');
    DWORD length = 0;
    for (;;) {
        length = GetPrivateProfileStringW(wide_section.c_str(), nullptr, L"", buffer.data(),
                                          static_cast<DWORD>(buffer.size()), wide_file.c_str());
        if (length + 2 < buffer.size() || buffer.size() >= (1u << 24)) break;
        buffer.assign(buffer.size() * 4, L'\0');
    }
    std::vector<std::string> names;
    for (size_t start = 0; start < length;) {
        const size_t end = buffer.find(L'\0', start);
        if (end == std::wstring::npos || end == start) break;
        names.push_back(WideToUtf8(std::wstring_view(buffer).substr(start, end - start)));
        start = end + 1;
    }
    return names;
}

int32_t WinProfileSection::remove(const std::string& section, const std::string& key, const std::string& file) {
    return WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(), nullptr,
                                      Utf8ToWide(file).c_str());
}

}  // namespace pwstd
