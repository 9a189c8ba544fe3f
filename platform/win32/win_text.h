#pragma once
// Text at the edge of Windows: the program keeps UTF-8, the W calls take UTF-16, and the settings
// file and the A calls take the system's ANSI code page (932 on Japanese systems).
#include <string>
#include <string_view>

namespace pwstd {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Characters the ANSI code page cannot hold become the code page's default character.
std::string WideToAnsi(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);

std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace pwstd
