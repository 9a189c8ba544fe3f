#pragma once
// The settings file "PwStd.ini": where it is, the helpers every reader and writer goes through, the
// number rules of its values, and one reader per key with its default and range rule.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/ports.h"

namespace pwstd {

inline constexpr const char* kIniFileName = "PwStd.ini";
inline constexpr const char* kHelpFileName = "PWSTD.HLP";
inline constexpr const char* kGeneralSection = "Padwright Standard";
inline constexpr const char* kCustomSection = "KeySettei";  // key-map slot 0
// One key per program file name, its value the key-map slot to use while that program is in front.
inline constexpr const char* kAppTemplatesSection = "AppTemplates";

// Appends "\" unless the path already ends with one ("" gives "\").
std::string AddBackslash(const std::string& folder);
// The value with leading and trailing spaces removed; never throws.
std::string ReadIni(Profile& profile, const std::string& section, const std::string& key,
                    const std::string& def, const std::string& file);
// Writes at once; the profile service's result (nonzero = written); never throws.
int32_t WriteIni(Profile& profile, const std::string& section, const std::string& key,
                 const std::string& value, const std::string& file);

// Number decoding of stored values: the longest leading number (blanks, tabs and line feeds
// skipped anywhere; sign and fraction for decimal; hexadecimal digits when `hex`, where up to four
// digits as written are a 16-bit and five to eight a 32-bit signed value, more significant digits
// than eight too large for any key), 0 when there is none. The result is
// not rounded yet; it may lie far outside any integer range.
double LeadingNumber(const std::string& text, bool hex);
// Rounds half to even, then clamps into [lo, hi]; a value beyond the integer width of the key
// clamps to the nearer bound like any other out-of-range value.
int32_t RoundClamp(double value, int32_t lo, int32_t hi);

// Writers' formats: bare decimal digits (with "-" for negatives), and upper-case hexadecimal
// without prefix or leading zeros for "Kando".
std::string DecimalText(int32_t value);
std::string HexText(int32_t value);

// Section of key-map slot 0..10: "KeySettei", "KeySetteiTemp1".."KeySetteiTemp10".
std::string SlotSection(int slot);
// "テンプレート" followed by n in full-width digits.
std::string DefaultTemplateName(int n);
// Full-width digits of a number's decimal text: 38 gives "３８".
std::string FullWidthNumber(int32_t value);

// The file's keys read with their defaults, decoded and brought into range.
class SettingsFile {
public:
    SettingsFile(Profile& profile, const std::string& path) : profile_(profile), path_(path) {}

    int32_t Kando() const;      // "4000" hex; 0..32767
    int32_t Wait() const;       // "25"; 1..200
    int32_t Buttons() const;    // "4"; 1..30
    int16_t Repeat() const;     // "1"; 0 stays 0, anything else 1
    int16_t Keyup() const;      // "1"; as Repeat
    int16_t StartTemp() const;  // "0"; outside 0..2 becomes 0
    int16_t BefTemp() const;    // "0"; outside 0..10 becomes 0
    // Options for today's pads and games, read at start-up and written only by the options dialog,
    // key by key as the user changes them: "0"; as Repeat.
    int16_t PovStick() const;
    int16_t AnyJoystick() const;
    int16_t ScanCodes() const;
    // "0"; 0 stays 0, anything else 1: the template follows the program in front.
    int16_t AppSwitch() const;
    // "0"; 1..30 names the pad button that moves to the next template, anything else is 0 (off).
    int32_t TemplateButton() const;
    // The slot 0..10 kept for a program (its file name, any case) in "AppTemplates"; nothing when
    // it has no key there or its value lies outside 0..10.
    std::optional<int16_t> AppTemplate(const std::string& program) const;
    int16_t AllAxes() const;
    int16_t XInput() const;
    // The mouse from the pad: "Mouse" "0", as Repeat; "MouseSpeed" "800" pixels per second at full
    // deflection, 50..5000; "MouseDeadZone" "15" percent, 0..90; "MouseCurve" "2", 1..3;
    // "WheelRate" "10" notches per second, 1..50.
    int16_t Mouse() const;
    int32_t MouseSpeed() const;
    int32_t MouseDeadZone() const;
    int32_t MouseCurve() const;
    int32_t WheelRate() const;
    // "Combos" "0", as Repeat: a control may send a combination of keys.
    int16_t Combos() const;
    // "ShiftButton" "0": 1..30 names the pad button that shifts the other controls to slot
    // "ShiftTemplate" while held, anything else is 0 (off). "ShiftTemplate" "1": 0..10, anything
    // else 1.
    int32_t ShiftButton() const;
    int32_t ShiftTemplate() const;
    // Template name of slot 1..10, its first 100 characters.
    std::string TemplateName(int n) const;
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& def) const;
    int32_t Write(const std::string& section, const std::string& key,
                  const std::string& value) const;
    // Deletes the key; nonzero when done. Never throws.
    int32_t Remove(const std::string& section, const std::string& key) const;

    const std::string& path() const { return path_; }

private:
    Profile& profile_;
    const std::string& path_;  // IniPath, set once before any access
};

}  // namespace pwstd
