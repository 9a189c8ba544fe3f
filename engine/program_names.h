#pragma once
// Program file names as keys of the settings file's "AppTemplates" section. The file is ANSI text
// in the system code page, so a name goes in as it is only when the code page holds every one of
// its characters; each character it lacks is written as "<", its code point in hexadecimal, ">"
// ("게임.exe" on a Japanese system is "<AC8C><C784>.exe"). Windows allows neither "<" nor ">" in a
// file name, so no real name reads as an escape, and the escapes are ASCII, which every ANSI code
// page holds. The profile service compares keys without regard to case: the hexadecimal digits
// read the same in either case, so two keys the service takes for one always name one program.
#include <optional>
#include <string>
#include <string_view>

#include "engine/ports.h"

namespace pwstd {

// The key of program `name` (UTF-8): the name itself when `ansi` holds all of it, so files of
// today keep their bytes; otherwise every character it lacks is escaped (upper-case digits, no
// leading zeros). "<" and ">" themselves are escaped too, so every text has a key that gives it
// back. Bytes that are no UTF-8 pass as they are.
std::string ProgramKey(std::string_view name, const AnsiCodePage& ansi);

// The program a key names: the key with each escape turned back into its character. Nothing when
// the key is not of the form ProgramKey writes: a "<" without its ">", a lone ">", no digits,
// more than six, a leading zero, a character other than a hexadecimal digit, a surrogate, a code
// point beyond U+10FFFF, or one below U+0080 other than "<" and ">" (ASCII is never escaped).
std::optional<std::string> ProgramFromKey(std::string_view key);

}  // namespace pwstd
