// libFuzzer target: number decoding of stored values. Any text decodes without failing, the same
// text always gives the same number, and rounding lands within half of it inside the range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/settings.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (bool hex : {false, true}) {
        const double value = pwstd::LeadingNumber(text, hex);
        Check(!std::isnan(value));
        Check(value == pwstd::LeadingNumber(text, hex));
        if (hex) Check(value == std::floor(value));
        for (const auto [lo, hi] : {std::pair{0, 32767}, std::pair{1, 200}, std::pair{1, 255}}) {
            const int32_t n = pwstd::RoundClamp(value, lo, hi);
            Check(n >= lo && n <= hi);
            if (value >= lo && value <= hi) Check(std::fabs(n - value) <= 0.5);
        }
    }
    return 0;
}
