#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/bindings/key_map_file.h"
#include "engine/settings.h"

namespace pwstd {
namespace {

struct NumberCase {
    std::string text;
    bool hex;
    int32_t lo, hi;
    int32_t expected;
};

TEST(NumberDecoding, LeadingNumberRoundedHalfToEvenThenClamped) {
    const std::vector<NumberCase> cases = {
        // decimal: blanks anywhere, signs, fractions, halves, garbage, empty
        {"25", false, 1, 200, 25},
        {"  2 5 ", false, 1, 200, 25},
        {"\t1\n0", false, 1, 200, 10},
        {"+7", false, 1, 200, 7},
        {"-7", false, -100, 100, -7},
        {"7-", false, 1, 200, 7},
        {"2.5", false, 0, 200, 2},
        {"3.5", false, 0, 200, 4},
        {"25.5", false, 0, 200, 26},
        {"65.5", false, 1, 255, 66},
        {"66.5", false, 1, 255, 66},
        {"-2.5", false, -10, 10, -2},
        {"38.49", false, 1, 255, 38},
        {"1.2.3", false, 0, 200, 1},
        {".5", false, 0, 200, 0},
        {".6", false, 0, 200, 1},
        {"5.", false, 0, 200, 5},
        {"- 2.6", false, -10, 10, -3},
        {"+-3", false, -10, 10, 0},
        {std::string(400, '9'), false, 1, 255, 255},
        {"12abc", false, 0, 200, 12},
        {"abc", false, 1, 200, 1},
        {"", false, 1, 200, 1},
        {"1e3", false, 0, 2000, 1},
        {"&H10", false, 0, 200, 0},
        {"0", false, 1, 255, 1},
        {"300", false, 1, 255, 255},
        {"99999999999999999999999", false, 1, 200, 200},
        {"-99999999999999999999999", false, 1, 200, 1},
        // hexadecimal: up to four digits are 16-bit, five to eight 32-bit, more is too large
        {"4000", true, 0, 32767, 16384},
        {"7FFF", true, 0, 32767, 32767},
        {"7fff", true, 0, 32767, 32767},
        {"8000", true, 0, 32767, 0},
        {"FFFF", true, -40000, 40000, -1},
        {"10000", true, 0, 32767, 32767},
        {"0FFFF", true, 0, 70000, 65535},
        {"FFFFFFFF", true, -5, 5, -1},
        {"123456789", true, 0, 32767, 32767},
        {"0x10", true, 0, 32767, 0},
        {"FF", true, 0, 32767, 255},
        {" 4 0 0 0", true, 0, 32767, 16384},
        {"-1", true, 0, 32767, 0},
        {"12G4", true, 0, 32767, 18},
        {"", true, 0, 32767, 0},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(RoundClamp(LeadingNumber(c.text, c.hex), c.lo, c.hi), c.expected)
            << "\"" << c.text << "\"" << (c.hex ? " as hex" : "");
    }
}

TEST(NumberDecoding, WritersFormats) {
    EXPECT_EQ(HexText(16384), "4000");
    EXPECT_EQ(HexText(255), "FF");
    EXPECT_EQ(HexText(300), "12C");
    EXPECT_EQ(HexText(0), "0");
    EXPECT_EQ(DecimalText(25), "25");
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(FullWidthNumber(38), "３８");
    EXPECT_EQ(FullWidthNumber(255), "２５５");
    EXPECT_EQ(DefaultTemplateName(10), "テンプレート１０");
}

TEST(NumberDecoding, KeyAndSectionNames) {
    EXPECT_EQ(SlotSection(0), "KeySettei");
    EXPECT_EQ(SlotSection(10), "KeySetteiTemp10");
    EXPECT_EQ(ControlKey(kControlUp), "Cursor1");
    EXPECT_EQ(ControlKey(kControlDown), "Cursor2");
    EXPECT_EQ(ControlKey(kControlLeft), "Cursor3");
    EXPECT_EQ(ControlKey(kControlRight), "Cursor4");
    EXPECT_EQ(ControlKey(ButtonControl(1)), "Button1");
    EXPECT_EQ(ControlKey(ButtonControl(30)), "Button30");
    EXPECT_STREQ(ControlDefault(kControlLeft), "37");
    EXPECT_STREQ(ControlDefault(ButtonControl(17)), "32");
    EXPECT_STREQ(ControlDefault(AxisControl(7)), "0");
    EXPECT_EQ(AddBackslash("C:\\x"), "C:\\x\\");
    EXPECT_EQ(AddBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(AddBackslash(""), "\\");
}

}  // namespace
}  // namespace pwstd
