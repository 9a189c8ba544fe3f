#include "engine/settings.h"

#include "engine/shared_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <charconv>
#include <system_error>
#include <string>

namespace pwstd {
namespace {

// The number reported for a failure inside a helper, in place of its result.
constexpr int32_t kHelperFailure = 51;

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

double LeadingHex(const std::string& text) {
    uint64_t value = 0;
    int written = 0, significant = 0;
    for (char c : text) {
        if (IsBlank(c)) continue;
        const int digit = HexDigit(c);
        if (digit < 0) break;
        ++written;
        if (value != 0 || digit != 0) ++significant;
        // Past eight digits the number fits no integer a key is read into; keep reading so that
        // it is known to be too large, without overflowing.
        if (significant <= 8) value = value * 16 + static_cast<uint64_t>(digit);
    }
    if (significant > 8) return 1e300;
    // The width follows the digits as written: "FFFF" is -1, "0FFFF" is 65535.
    if (written <= 4) return static_cast<int16_t>(static_cast<uint16_t>(value));
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

double LeadingDecimal(const std::string& text) {
    std::string number;
    bool digits = false, point = false;
    for (char c : text) {
        if (IsBlank(c)) continue;
        if ((c == '+' || c == '-') && number.empty()) {
            number += c;
        } else if (c >= '0' && c <= '9') {
            number += c;
            digits = true;
        } else if (c == '.' && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    // from_chars, not strtod: the decimal point stays "." whatever locale the process is set to.
    const bool negative = number.front() == '-';
    const size_t skip = number.front() == '-' || number.front() == '+' ? 1 : 0;
    double value = 0.0;
    const auto result = std::from_chars(number.data() + skip, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) value = HUGE_VAL;
    return negative ? -value : value;
}

}  // namespace

std::string AddBackslash(const std::string& folder) {
    try {
        if (!folder.empty() && folder.back() == '\\') return folder;
        return folder + "\\";
    } catch (...) {
        return std::to_string(kHelperFailure);
    }
}

std::string ReadIni(Profile& profile, const std::string& section, const std::string& key,
                    const std::string& def, const std::string& file) {
    try {
        return TrimSpaces(profile.get(section, key, def, file));
    } catch (...) {
        return std::to_string(kHelperFailure);
    }
}

int32_t WriteIni(Profile& profile, const std::string& section, const std::string& key,
                 const std::string& value, const std::string& file) {
    try {
        return profile.put(section, key, value, file);
    } catch (...) {
        return 0;  // nothing was written: nonzero would claim that it was
    }
}

double LeadingNumber(const std::string& text, bool hex) {
    return hex ? LeadingHex(text) : LeadingDecimal(text);
}

int32_t RoundClamp(double value, int32_t lo, int32_t hi) {
    if (std::isnan(value)) return lo;
    const double rounded = std::nearbyint(value);  // the default rounding: halves to even
    if (rounded <= lo) return lo;
    if (rounded >= hi) return hi;
    return static_cast<int32_t>(rounded);
}

std::string DecimalText(int32_t value) { return std::to_string(value); }

std::string HexText(int32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    uint32_t v = static_cast<uint32_t>(value);
    std::string text;
    do {
        text.insert(text.begin(), digits[v & 15u]);
        v >>= 4;
    } while (v != 0);
    return text;
}

std::string SlotSection(int slot) {
    return slot == 0 ? std::string(kCustomSection) : "KeySetteiTemp" + std::to_string(slot);
}

std::string FullWidthNumber(int32_t value) {
    std::string text;
    for (char c : std::to_string(value)) {
        if (c == '-') {
            text += "\xEF\xBC\x8D";  // U+FF0D
        } else {
            text += "\xEF\xBC";
            text += static_cast<char>(0x90 + (c - '0'));  // U+FF10..U+FF19
        }
    }
    return text;
}

std::string DefaultTemplateName(int n) { return "テンプレート" + FullWidthNumber(n); }

std::string SettingsFile::Read(const std::string& section, const std::string& key,
                               const std::string& def) const {
    return ReadIni(profile_, section, key, def, path_);
}

int32_t SettingsFile::Write(const std::string& section, const std::string& key,
                            const std::string& value) const {
    return WriteIni(profile_, section, key, value, path_);
}

int32_t SettingsFile::Remove(const std::string& section, const std::string& key) const {
    try {
        return profile_.remove(section, key, path_);
    } catch (...) {
        return 0;
    }
}

int32_t SettingsFile::Kando() const {
    return RoundClamp(LeadingNumber(Read(kGeneralSection, "Kando", "4000"), true), 0, 32767);
}

int32_t SettingsFile::Wait() const {
    return RoundClamp(LeadingNumber(Read(kGeneralSection, "Wait", "25"), false), 1, 200);
}

int32_t SettingsFile::Buttons() const {
    return RoundClamp(LeadingNumber(Read(kGeneralSection, "Buttons", "4"), false), 1, kMaxButtons);
}

namespace {
// 0 stays 0; anything else, however large, is 1.
int16_t ZeroOrOne(double value) { return std::nearbyint(value) == 0.0 ? 0 : 1; }
// Inside lo..hi it stays; anything else, however large, is 0.
int16_t InRangeOrZero(double value, int lo, int hi) {
    const double rounded = std::nearbyint(value);
    return rounded >= lo && rounded <= hi ? static_cast<int16_t>(rounded) : int16_t{0};
}
}  // namespace

int16_t SettingsFile::Repeat() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "Repeat", "1"), false));
}

int16_t SettingsFile::Keyup() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "Keyup", "1"), false));
}

int16_t SettingsFile::StartTemp() const {
    return InRangeOrZero(LeadingNumber(Read(kGeneralSection, "StartTemp", "0"), false), 0, 2);
}

int16_t SettingsFile::BefTemp() const {
    return InRangeOrZero(LeadingNumber(Read(kGeneralSection, "BefTemp", "0"), false), 0, kTemplateCount);
}

int16_t SettingsFile::PovStick() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "PovStick", "0"), false));
}

int16_t SettingsFile::AnyJoystick() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "AnyJoystick", "0"), false));
}

int16_t SettingsFile::ScanCodes() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "ScanCodes", "0"), false));
}

int16_t SettingsFile::AppSwitch() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "AppSwitch", "0"), false));
}

int32_t SettingsFile::TemplateButton() const {
    return InRangeOrZero(LeadingNumber(Read(kGeneralSection, "TemplateButton", "0"), false), 0, kMaxButtons);
}

std::optional<int16_t> SettingsFile::AppTemplate(const std::string& program) const {
    if (program.empty()) return std::nullopt;
    // A missing key reads as -1, outside the slots like any stored value that is; an empty value
    // reads as 0 as everywhere else in the file.
    const double value = std::nearbyint(LeadingNumber(Read(kAppTemplatesSection, program, "-1"), false));
    if (value < 0 || value > kTemplateCount) return std::nullopt;
    return static_cast<int16_t>(value);
}

int16_t SettingsFile::AllAxes() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "AllAxes", "0"), false));
}

int16_t SettingsFile::XInput() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "XInput", "0"), false));
}

int16_t SettingsFile::Mouse() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "Mouse", "0"), false));
}

int32_t SettingsFile::MouseSpeed() const {
    return RoundClamp(LeadingNumber(Read(kGeneralSection, "MouseSpeed", "800"), false), 50, 5000);
}

int32_t SettingsFile::MouseDeadZone() const {
    return RoundClamp(LeadingNumber(Read(kGeneralSection, "MouseDeadZone", "15"), false), 0, 90);
}

int32_t SettingsFile::MouseCurve() const {
    return RoundClamp(LeadingNumber(Read(kGeneralSection, "MouseCurve", "2"), false), 1, 3);
}

int32_t SettingsFile::WheelRate() const {
    return RoundClamp(LeadingNumber(Read(kGeneralSection, "WheelRate", "10"), false), 1, 50);
}

int16_t SettingsFile::Combos() const {
    return ZeroOrOne(LeadingNumber(Read(kGeneralSection, "Combos", "0"), false));
}

int32_t SettingsFile::ShiftButton() const {
    return InRangeOrZero(LeadingNumber(Read(kGeneralSection, "ShiftButton", "0"), false), 0, kMaxButtons);
}

int32_t SettingsFile::ShiftTemplate() const {
    const double value = std::nearbyint(LeadingNumber(Read(kGeneralSection, "ShiftTemplate", "1"), false));
    return value >= 0 && value <= kTemplateCount ? static_cast<int32_t>(value) : 1;
}

std::string SettingsFile::TemplateName(int n) const {
    const std::string name = Read(SlotSection(n), "TempName", DefaultTemplateName(n));
    // The first 100 characters: count UTF-8 lead bytes, never cut a character in two.
    int characters = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80 && characters++ == 100) {
            return name.substr(0, i);
        }
    }
    return name;
}

}  // namespace pwstd
