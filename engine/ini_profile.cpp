#include "engine/ini_profile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <system_error>

#include "engine/ini_lines.h"

namespace pwstd {
namespace {

using ini::Found;
using ini::Locator;

constexpr size_t kMaxValueBytes = 254;  // what a 255-byte buffer holds besides its NUL

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Only a regular file is read: a folder or device of that name counts as no file.
File OpenForReading(const std::string& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return nullptr;
    return File(std::fopen(file.c_str(), "rb"));
}

std::optional<std::string> ReadWhole(const std::string& file) {
    const File in = OpenForReading(file);
    if (!in) return std::nullopt;
    std::string text;
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (!error) text.reserve(static_cast<size_t>(size));
    char chunk[64 * 1024];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) text.append(chunk, got);
    if (std::ferror(in.get())) return std::nullopt;
    return text;
}

// The key of a section in a file read line by line, stopping as soon as it is known.
std::optional<Found> Find(const std::string& file, std::string_view section, std::string_view key) {
    const File in = OpenForReading(file);
    if (!in) return std::nullopt;
    ini::LineStream lines(in.get());
    Locator locator(section, key);
    std::string_view line;
    uint64_t begin, next;
    while (lines.Next(line, begin, next)) {
        if (!locator.Feed(line, begin, next)) break;
    }
    if (lines.failed()) return std::nullopt;
    return std::move(locator.found());
}

std::string Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

// What the Windows service hands back: the text up to a NUL byte, blanks trimmed, quotes around
// it removed, at most 254 bytes.
std::string ValueAsRead(std::string_view value) {
    value = value.substr(0, value.find('\0'));
    std::string text = Unquote(ini::Trim(value));
    if (text.size() > kMaxValueBytes) text.resize(kMaxValueBytes);
    return text;
}

// The default as the Windows service returns it: trailing blanks removed, at most 254 bytes.
std::string DefaultAsRead(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    if (text.size() > kMaxValueBytes) text.resize(kMaxValueBytes);
    return text;
}

// A value or name is one line of the file: anything from a line end on would become lines of
// its own (a new key or section that nobody wrote). A NUL ends the text as it ends a C string.
std::string OneLine(std::string text) {
    const size_t end = text.find_first_of(std::string_view("\r\n\0", 3));
    if (end != std::string::npos) text.resize(end);
    return text;
}

// One change of a file: the bytes [from, to) give way to `text`.
struct Edit {
    size_t from = 0, to = 0;
    std::string text;
};

// The file with the edit made, written whole. A file that exists must be a regular file that may
// be written: a file without write permission is read-only even for an administrator, as the
// read-only attribute is on Windows.
bool WriteEdited(const std::string& file, bool exists, const std::string& old, const Edit& edit) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(file);
    if (exists) {
        if (!fs::is_regular_file(target, error)) return false;
        const auto perms = fs::status(target, error).permissions();
        if (error || (perms & fs::perms::owner_write) == fs::perms::none) return false;
        if (!std::ofstream(file, std::ios::binary | std::ios::app)) return false;
    }
    // Write a sibling first and move it over the file, so a failure halfway (disk full, a crash)
    // leaves the old settings whole instead of a cut file.
    const fs::path temporary = target.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(old.data(), static_cast<std::streamsize>(edit.from));
        out.write(edit.text.data(), static_cast<std::streamsize>(edit.text.size()));
        out.write(old.data() + edit.to, static_cast<std::streamsize>(old.size() - edit.to));
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
    try {
        const std::string ansi_section = OneLine(codec_.to_ansi(section));
        const std::string ansi_key = OneLine(codec_.to_ansi(key));
        if (!ansi_section.empty() && !ansi_key.empty()) {
            const auto found = Find(file, ini::Trim(ansi_section), ini::Trim(ansi_key));
            if (found && found->key) return codec_.from_ansi(ValueAsRead(found->value));
        }
        return codec_.from_ansi(DefaultAsRead(codec_.to_ansi(def)));
    } catch (...) {
        return def;  // out of memory: the default, as for a file that cannot be read
    }
}

int32_t IniFileProfile::put(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& file) {
    try {
        const std::string ansi_section(ini::Trim(OneLine(codec_.to_ansi(section))));
        const std::string ansi_key(ini::Trim(OneLine(codec_.to_ansi(key))));
        const std::string ansi_value = OneLine(codec_.to_ansi(value));
        if (ansi_section.empty() || ansi_key.empty()) return 0;

        std::error_code error;
        const bool exists = std::filesystem::exists(file, error);
        std::optional<std::string> old = exists ? ReadWhole(file) : std::string();
        if (!old) return 0;  // there but unreadable: rewriting it would lose what it holds
        const std::string& text = *old;
        Locator locator(ansi_section, ansi_key);
        ini::FeedAll(locator, text);
        const Found& found = locator.found();
        Edit edit;
        if (found.key) {
            edit.from = static_cast<size_t>(found.value_begin);
            edit.to = static_cast<size_t>(found.line_end);
            edit.text = ansi_value;
            if (exists && text.compare(edit.from, edit.to - edit.from, ansi_value) == 0) {
                return 1;  // nothing changes: the file is left as it is
            }
        } else {
            edit.from = edit.to = found.section ? static_cast<size_t>(found.insert_at) : text.size();
            if (edit.from == text.size() && !text.empty() && text.back() != '\n') edit.text = "\r\n";
            if (!found.section) edit.text += "[" + ansi_section + "]\r\n";
            edit.text += ansi_key + "=" + ansi_value + "\r\n";
        }
        return WriteEdited(file, exists, text, edit) ? 1 : 0;
    } catch (...) {
        return 0;  // out of memory: nothing was written
    }
}

int32_t IniFileProfile::remove(const std::string& section, const std::string& key, const std::string& file) {
    try {
        const std::string ansi_section(ini::Trim(OneLine(codec_.to_ansi(section))));
        const std::string ansi_key(ini::Trim(OneLine(codec_.to_ansi(key))));
        if (ansi_section.empty() || ansi_key.empty()) return 0;
        std::error_code error;
        if (!std::filesystem::exists(file, error)) return 1;  // nothing to delete
        const std::optional<std::string> old = ReadWhole(file);
        if (!old) return 0;
        Locator locator(ansi_section, ansi_key);
        ini::FeedAll(locator, *old);
        const Found& found = locator.found();
        if (!found.key) return 1;
        Edit edit;
        edit.from = static_cast<size_t>(found.line_begin);
        edit.to = static_cast<size_t>(found.line_next);
        return WriteEdited(file, true, *old, edit) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // namespace pwstd
