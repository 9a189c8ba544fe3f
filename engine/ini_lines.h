#pragma once
// The line rules of profile files, shared by the reader and the writer of IniFileProfile: where a
// line ends, what a section line and a key line are, and which line a key of a section is.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace pwstd::ini {

// Blanks (spaces, tabs) and a stray carriage return removed from both ends.
std::string_view Trim(std::string_view text);
// Names compare without regard to case (ASCII letters; other bytes as they are).
bool SameName(std::string_view a, std::string_view b);

// Where a key was found, or where it would be added, after feeding a file's lines in order.
struct Found {
    bool section = false;     // the first section of that name exists
    uint64_t insert_at = 0;   // where a new key of that section goes: after its last entry
    bool key = false;         // the key exists in that section
    uint64_t value_begin = 0; // the key line's bytes after its "="
    uint64_t line_end = 0;    // end of the key line, before its line end
    uint64_t line_begin = 0;  // start of the key line
    uint64_t line_next = 0;   // start of the line after it
    std::string value;        // the value as written, not trimmed yet
};

// Follows a file line by line looking for one key of one section: the first section of that name
// is the one read and written, and the first line of that key in it.
class Locator {
public:
    Locator(std::string_view section, std::string_view key) : section_(section), key_(key) {}
    // Feeds the next line without its line end; `begin` is its offset in the file and `next` the
    // offset of the line after it. Returns false once nothing more can change the result.
    bool Feed(std::string_view line, uint64_t begin, uint64_t next);
    const Found& found() const { return found_; }
    Found& found() { return found_; }

private:
    std::string_view section_, key_;
    bool inside_ = false;
    Found found_;
};

// Feeds every line of a whole file held in memory; a byte-order mark is not part of the first line.
void FeedAll(Locator& locator, std::string_view text);

// Reads a file's lines in chunks, so a large file is never held whole and a reader can stop early.
// A line of any length is handled; lines end with LF, CR LF, or the end of the file.
class LineStream {
public:
    explicit LineStream(std::FILE* file) : file_(file) {}
    // The next line without its line end, its offset and the offset of the line after it; false
    // at the end of the file or when reading fails (then `failed()`).
    bool Next(std::string_view& line, uint64_t& begin, uint64_t& next);
    bool failed() const { return failed_; }

private:
    bool Refill();

    std::FILE* file_;
    std::string buffer_;
    size_t pos_ = 0;    // start of the next line in buffer_
    size_t scan_ = 0;   // buffer_ holds no line end between pos_ and scan_
    uint64_t base_ = 0; // file offset of buffer_[0]
    bool end_ = false;
    bool failed_ = false;
    bool first_ = true;
};

}  // namespace pwstd::ini
