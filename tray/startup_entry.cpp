#include "tray/startup_entry.h"

namespace pwstd {

namespace {

// The next code point of UTF-8 text at `i`, moving `i` past it; a broken byte stands for itself.
char32_t NextCodePoint(const std::string& text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > text.size()) {
        ++i;
        return lead;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    i += length;
    return code;
}

// Upper case as file names compare on Windows, for the letters of the scripts a folder is most
// often named in: Latin (with Latin-1 and full-width forms), Greek and Cyrillic.
char32_t UpperLetter(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    return c;
}

std::u32string Folded(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) out.push_back(UpperLetter(NextCodePoint(text, i)));
    return out;
}

std::string Unquoted(const std::string& command) {
    const size_t first = command.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const size_t last = command.find_last_not_of(" \t");
    std::string text = command.substr(first, last - first + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

bool NamesProgram(const std::string& command, const std::string& program) {
    const std::string path = Unquoted(command);
    return !path.empty() && Folded(path) == Folded(program);
}

bool DisabledByTaskManager(const std::optional<std::vector<uint8_t>>& approved) {
    return approved && !approved->empty() && ((*approved)[0] & 1) != 0;
}

bool StartsWithWindows(const StartupValues& values, const std::string& program) {
    return values.run && NamesProgram(*values.run, program) && !DisabledByTaskManager(values.approved);
}

void SetStartWithWindows(StartupRegistry& registry, bool on) {
    if (!on) {
        registry.RemoveRun();
        return;
    }
    registry.WriteRun("\"" + registry.ProgramPath() + "\"");
    // The user asked, in the program, for it to start: a mark Task Manager left would keep it off.
    if (DisabledByTaskManager(registry.Read().approved)) registry.RemoveApproved();
}

}  // namespace pwstd
