#include "engine/ini_lines.h"

#include <optional>

namespace pwstd::ini {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kChunk = 64 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The name of a section line, or nothing when the line is no section line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    return Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

// A line's text without its line end: one CR before the LF goes with it.
std::string_view WithoutCr(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool Locator::Feed(std::string_view line, uint64_t begin, uint64_t next) {
    if (const auto name = SectionName(line)) {
        if (inside_) return false;  // the section ended without the key
        inside_ = SameName(*name, section_);
        if (inside_ && !found_.section) {
            found_.section = true;
            found_.insert_at = next;
        }
        return true;
    }
    if (!inside_) return true;
    const std::string_view entry = Trim(line);
    if (entry.empty() || entry.front() == ';') return true;  // blank lines and comments stay where they are
    found_.insert_at = next;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || !SameName(Trim(line.substr(0, eq)), key_)) return true;
    found_.key = true;
    found_.value_begin = begin + eq + 1;
    found_.line_end = begin + line.size();
    found_.line_begin = begin;
    found_.line_next = next;
    found_.value.assign(line.substr(eq + 1));
    return false;
}

void FeedAll(Locator& locator, std::string_view text) {
    size_t pos = text.substr(0, 3) == kByteOrderMark ? 3 : 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        if (!locator.Feed(WithoutCr(text.substr(pos, end - pos)), pos, next)) return;
        pos = next;
    }
}

bool LineStream::Next(std::string_view& line, uint64_t& begin, uint64_t& next) {
    for (;;) {
        const size_t end = buffer_.find('\n', scan_ > pos_ ? scan_ : pos_);
        if (end != std::string::npos || (end_ && pos_ < buffer_.size())) {
            const size_t stop = end == std::string::npos ? buffer_.size() : end;
            size_t start = pos_;
            if (first_ && std::string_view(buffer_).substr(start, 3) == kByteOrderMark) start += 3;
            first_ = false;
            line = WithoutCr(std::string_view(buffer_).substr(start, stop - start));
            begin = base_ + start;
            pos_ = end == std::string::npos ? buffer_.size() : end + 1;
            next = base_ + pos_;
            scan_ = pos_;
            return true;
        }
        if (end_ || !Refill()) return false;
    }
}

bool LineStream::Refill() {
    // Only what is left of an unfinished line is moved, once per chunk: reading stays linear also
    // for a line of many megabytes, which simply grows the buffer.
    if (pos_ > 0) {
        buffer_.erase(0, pos_);
        base_ += pos_;
        pos_ = 0;
    }
    scan_ = buffer_.size();
    const size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    const size_t got = std::fread(buffer_.data() + old, 1, kChunk, file_);
    buffer_.resize(old + got);
    if (got < kChunk) {
        end_ = true;
        if (std::ferror(file_)) {
            failed_ = true;
            return false;
        }
    }
    return true;
}

}  // namespace pwstd::ini
