// libFuzzer target: program names as keys of the settings file. Any text decodes as a key or is
// rejected, never fails otherwise; a key that decodes names a program whose key decodes to it
// again; and any text taken as a name comes back from its key, whatever the code page holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "engine/program_names.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

// Code pages at both ends: one that holds ASCII only, one that holds every character.
class AsciiOnly final : public pwstd::AnsiCodePage {
public:
    bool holds(std::string_view) const override { return false; }
};
class Everything final : public pwstd::AnsiCodePage {
public:
    bool holds(std::string_view) const override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const AsciiOnly ascii;
    const Everything everything;
    if (const std::optional<std::string> name = pwstd::ProgramFromKey(text)) {
        Check(pwstd::ProgramFromKey(pwstd::ProgramKey(*name, ascii)) == name);
        Check(pwstd::ProgramFromKey(pwstd::ProgramKey(*name, everything)) == name);
    }
    for (const pwstd::AnsiCodePage* ansi : {static_cast<const pwstd::AnsiCodePage*>(&ascii),
                                            static_cast<const pwstd::AnsiCodePage*>(&everything)}) {
        const std::string key = pwstd::ProgramKey(text, *ansi);
        Check(pwstd::ProgramFromKey(key) == text);
    }
    return 0;
}
