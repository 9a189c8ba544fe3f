// libFuzzer target: reading a "Keys" value. Any text gives a valid combination (2 to 4 codes, each
// 1..255) or none, never a failure; a combination written back reads as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "engine/bindings/key_map_file.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<pwstd::KeyParts> parts = pwstd::ParseKeysValue(text);
    if (!parts) return 0;
    Check(parts->count >= 2 && parts->count <= 4);
    for (int i = 0; i < parts->count; ++i) Check(parts->codes[static_cast<size_t>(i)] >= 1);
    const pwstd::Action action = pwstd::Action::Combination(parts->codes.data(), parts->count);
    const std::optional<pwstd::KeyParts> again = pwstd::ParseKeysValue(pwstd::KeysText(action));
    Check(again && again->count == parts->count && again->codes == parts->codes);
    return 0;
}
