#include "engine/ini_profile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace pwstd {
namespace {

constexpr size_t kMaxValueBytes = 254;  // what a 255-byte buffer holds besides its NUL

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && (IsSpace(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::optional<std::string> ReadWhole(const std::string& file) {
    try {
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return text;
    } catch (...) {
        return std::nullopt;  // unreadable: every key takes its default
    }
}

// One line of the file: [begin, end) without its line end; `next` is where the next line starts.
struct Line {
    size_t begin, end, next;
};

Line LineAt(const std::string& text, size_t pos) {
    size_t end = text.find('\n', pos);
    const size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    if (end > pos && text[end - 1] == '\r') --end;
    return {pos, end, next};
}

size_t FirstLine(const std::string& text) {
    return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a byte-order mark is not a name
}

// The name of a section line, or nothing when the line is no section line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    return Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct Found {
    bool section = false;
    size_t insert_at = 0;  // after the section's last entry
    bool key = false;
    Line key_line{};
    size_t value_begin = 0;
};

Found Locate(const std::string& text, std::string_view section, std::string_view key) {
    Found found;
    bool inside = false;
    for (size_t pos = FirstLine(text); pos < text.size();) {
        const Line line = LineAt(text, pos);
        const std::string_view view(text.data() + line.begin, line.end - line.begin);
        if (const auto name = SectionName(view)) {
            if (inside) break;  // the first section of that name is the one read and written
            inside = SameName(*name, section);
            if (inside) {
                found.section = true;
                found.insert_at = line.next;
            }
        } else if (inside) {
            const std::string_view entry = Trim(view);
            if (!entry.empty() && entry.front() != ';') {
                found.insert_at = line.next;
                const size_t eq = view.find('=');
                if (eq != std::string_view::npos && SameName(Trim(view.substr(0, eq)), key)) {
                    found.key = true;
                    found.key_line = line;
                    found.value_begin = line.begin + eq + 1;
                    return found;
                }
            }
        }
        pos = line.next;
    }
    return found;
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::string CutValue(std::string value) {
    if (value.size() > kMaxValueBytes) value.resize(kMaxValueBytes);
    return value;
}

// A value or name is one line of the file: anything from a line end on would become lines of
// its own (a new key or section that nobody wrote).
std::string OneLine(std::string text) {
    const size_t end = text.find_first_of("\r\n");
    if (end != std::string::npos) text.resize(end);
    return text;
}

bool WriteWhole(const std::string& file, const std::string& text) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(file);
    if (fs::exists(target, error)) {
        // Never replace what cannot be written in place: a read-only file keeps its contents.
        if (!fs::is_regular_file(target, error)) return false;
        // A file without write permission is read-only even for an administrator, as the
        // read-only attribute is on Windows.
        const auto perms = fs::status(target, error).permissions();
        if (error || (perms & fs::perms::owner_write) == fs::perms::none) return false;
        std::ofstream probe(file, std::ios::binary | std::ios::app);
        if (!probe) return false;
    }
    // Write a sibling first and move it over the file, so a failure halfway (disk full, a crash)
    // leaves the old settings whole instead of a cut file.
    const fs::path temporary = target.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, error);
            return false;
        }
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace

std::string IniFileProfile::get(const std::string& section, const std::string& key, const std::string& def,
                                const std::string& file) {
    const std::string fallback = codec_.from_ansi(CutValue(codec_.to_ansi(def)));
    const auto text = ReadWhole(file);
    if (!text) return fallback;
    const Found found = Locate(*text, codec_.to_ansi(section), codec_.to_ansi(key));
    if (!found.key) return fallback;
    const std::string_view value(text->data() + found.value_begin, found.key_line.end - found.value_begin);
    return codec_.from_ansi(CutValue(Unquote(Trim(value))));
}

int32_t IniFileProfile::put(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& file) {
    const std::string ansi_section = OneLine(codec_.to_ansi(section));
    const std::string ansi_key = OneLine(codec_.to_ansi(key));
    const std::string ansi_value = OneLine(codec_.to_ansi(value));
    if (ansi_section.empty() || ansi_key.empty()) return 0;

    std::string text = ReadWhole(file).value_or(std::string());
    const Found found = Locate(text, ansi_section, ansi_key);
    if (found.key) {
        text.replace(found.value_begin, found.key_line.end - found.value_begin, ansi_value);
    } else {
        std::string entry = ansi_key + "=" + ansi_value + "\r\n";
        size_t at = found.insert_at;
        if (!found.section) {
            entry = "[" + ansi_section + "]\r\n" + entry;
            at = text.size();
        }
        if (at == text.size() && !text.empty() && text.back() != '\n') {
            text += "\r\n";
            at = text.size();
        }
        text.insert(at, entry);
    }
    return WriteWhole(file, text) ? 1 : 0;
}

}  // namespace pwstd
