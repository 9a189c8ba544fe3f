#pragma once
// UTF-8 text of the program to and from the UTF-16 of the Windows W calls.
#include <string>

namespace pwstd::win32 {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// The text as the system's ANSI code page spells it, for the few A calls left (WinHelpA).
std::string ToAnsi(const std::string& utf8);

// Copies `text` into a fixed field of `capacity` wide characters, NUL included: cut to
// capacity - 1 characters, never between the two halves of a surrogate pair.
void CopyToField(const std::wstring& text, wchar_t* field, size_t capacity);

}  // namespace pwstd::win32
