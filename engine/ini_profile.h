#pragma once
// A portable profile (INI) service with the rules of the Windows one, over real files: names
// compared without regard to case, the default for a missing key, "" for an empty value, values
// trimmed and cut to 254 bytes, keys replaced in place, a missing key, section or file added at the
// first write, CR LF line ends, every other line kept byte for byte.
#include <string>

#include "engine/ports.h"

namespace pwstd {

// Converts between the program's UTF-8 and the file's ANSI bytes.
class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;
    virtual std::string to_ansi(const std::string& utf8) const = 0;
    virtual std::string from_ansi(const std::string& ansi) const = 0;
};

// Stores UTF-8 as it is.
class Utf8Codec final : public AnsiCodec {
public:
    std::string to_ansi(const std::string& utf8) const override { return utf8; }
    std::string from_ansi(const std::string& ansi) const override { return ansi; }
};

class IniFileProfile final : public Profile {
public:
    explicit IniFileProfile(const AnsiCodec& codec) : codec_(codec) {}
    std::string get(const std::string& section, const std::string& key, const std::string& def,
                    const std::string& file) override;
    int32_t put(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file) override;
    int32_t remove(const std::string& section, const std::string& key, const std::string& file) override;

private:
    const AnsiCodec& codec_;
};

}  // namespace pwstd
