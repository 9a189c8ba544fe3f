#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/hidden_window.h"
#include "platform/win32/win_tray_icon.h"
#include "tests/e2e/tray_recorder.h"

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

int primary_dpi = 96;
ScreenDpi PrimaryDpi() { return {primary_dpi, primary_dpi}; }

// The notification area shows small icons of the primary display's scale (16 pixels at 96 dpi):
// the icons follow that scale when it changes while the program runs, and a new shell gets them at
// the scale of its day.
TEST(TrayIcon, ShowsItsIconsAtTheScaleOfThePrimaryDisplayAsItChanges) {
    wintest::TrayRecorder shell;
    HiddenWindow window(GetModuleHandleW(nullptr));
    primary_dpi = 96;
    WinTrayIcon tray(window.handle(), GetModuleHandleW(nullptr), &PrimaryDpi);
    const uint32_t all = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    EXPECT_TRUE(tray.notify(TrayMessage::Add, {all, 2, "tip"}));
    primary_dpi = 144;
    tray.DisplayChanged();  // shown anew, the same image at its new size
    tray.DisplayChanged();  // the same scale: nothing to do
    EXPECT_TRUE(tray.notify(TrayMessage::Modify, {NIF_ICON | NIF_TIP, 2, "tip"}));
    tray.notify(TrayMessage::Delete, {});
    primary_dpi = 192;
    tray.DisplayChanged();  // nothing shown: nothing to show anew
    primary_dpi = 120;      // changed while the shell was away: the window heard nothing of it
    EXPECT_TRUE(tray.notify(TrayMessage::Add, {all, 0, "tip"}));  // as after "TaskbarCreated"

    struct Seen {
        uint32_t message, flags, width;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    const std::vector<wintest::TrayCall> calls = shell.calls();
    for (const wintest::TrayCall& call : calls) seen.push_back({call.message, call.flags, call.icon_width});
    EXPECT_EQ(seen, (std::vector<Seen>{{NIM_ADD, all, 16},
                                       {NIM_MODIFY, NIF_ICON, 24},
                                       {NIM_MODIFY, NIF_ICON | NIF_TIP, 24},
                                       {NIM_DELETE, 0, 0},
                                       {NIM_ADD, all, 20}}));
    if (calls.size() == 5) {
        EXPECT_EQ(calls[1].icon, calls[2].icon) << "the image shown before";
    }
}

}  // namespace
}  // namespace pwstd
