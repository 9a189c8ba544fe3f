#include "engine/program_names.h"

#include <cstdint>

namespace pwstd {
namespace {

constexpr uint32_t kMaxCodePoint = 0x10FFFF;
constexpr size_t kMaxDigits = 6;

bool Surrogate(uint32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// The length of the UTF-8 sequence starting at `text[at]` and its code point; 1 and the byte
// itself for a byte that starts no well-formed sequence (cut short, overlong, a surrogate, beyond
// U+10FFFF).
size_t NextCodePoint(std::string_view text, size_t at, uint32_t& code) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                          : (lead & 0xF8) == 0xF0 ? 4 : 0;
    code = lead;
    if (length <= 1 || at + length > text.size()) return 1;
    uint32_t value = lead & (0x7Fu >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 1;
        value = value << 6 | (byte(at + i) & 0x3Fu);
    }
    constexpr uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kShortest[length] || value > kMaxCodePoint || Surrogate(value)) return 1;
    code = value;
    return length;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendEscape(std::string& out, uint32_t code) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    for (; code != 0; code >>= 4) digits.insert(digits.begin(), kDigits[code & 0xF]);
    out += '<' + digits + '>';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool Escaped(uint32_t code) { return code == '<' || code == '>'; }

}  // namespace

std::string ProgramKey(std::string_view name, const AnsiCodePage& ansi) {
    std::string key;
    for (size_t at = 0; at < name.size();) {
        uint32_t code = 0;
        const size_t length = NextCodePoint(name, at, code);
        const std::string_view character = name.substr(at, length);
        at += length;
        // Every ANSI code page holds ASCII; a stray byte is no character to ask about.
        if (Escaped(code) || (length > 1 && !ansi.holds(character))) {
            AppendEscape(key, code);
        } else {
            key += character;
        }
    }
    return key;
}

std::optional<std::string> ProgramFromKey(std::string_view key) {
    std::string name;
    for (size_t at = 0; at < key.size(); ++at) {
        const char c = key[at];
        if (c == '>') return std::nullopt;
        if (c != '<') {
            name += c;
            continue;
        }
        const size_t end = key.find('>', at + 1);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view digits = key.substr(at + 1, end - at - 1);
        if (digits.empty() || digits.size() > kMaxDigits || digits.front() == '0') return std::nullopt;
        uint32_t code = 0;
        for (char digit : digits) {
            const int value = HexValue(digit);
            if (value < 0) return std::nullopt;
            code = code << 4 | static_cast<uint32_t>(value);
        }
        if (code > kMaxCodePoint || Surrogate(code) || (code < 0x80 && !Escaped(code))) return std::nullopt;
        AppendUtf8(name, code);
        at = end;
    }
    return name;
}

}  // namespace pwstd
