#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/win32/win_tray_icon.h"

namespace pwstd {
namespace {

TEST(TrayTip, FillsTheFieldCutToFitWithItsNul) {
    const std::wstring a63(63, L'a'), a64(64, L'a');
    const std::wstring pair = L"\xD83C\xDFAE";  // one character outside the basic plane
    struct Row {
        const char* name;
        std::wstring tip;
        std::wstring kept;
    } rows[] = {
        {"empty", L"", L""},
        {"Japanese tip", L"動作中・・・ 40FPS", L"動作中・・・ 40FPS"},
        {"exactly 63", a63, a63},
        {"64 cut to 63", a64, a63},
        {"a pair across the cut is dropped whole", std::wstring(62, L'a') + pair, std::wstring(62, L'a')},
        {"a pair inside the field stays", std::wstring(61, L'a') + pair + L"b", std::wstring(61, L'a') + pair},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        wchar_t field[128];
        std::fill(std::begin(field), std::end(field), L'#');
        CopyTip(row.tip, field);
        EXPECT_EQ(std::wstring(field), row.kept);
        for (size_t i = row.kept.size(); i < kTipChars; ++i) ASSERT_EQ(field[i], L'\0') << i;
        EXPECT_EQ(field[kTipChars], L'#') << "nothing written past the field";
    }
}

}  // namespace
}  // namespace pwstd
