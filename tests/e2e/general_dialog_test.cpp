// The real PwStd.exe's general settings and options dialogs under Wine, opened from the tray menu
// and driven through their native controls: the slider labels, the sensitivity the running engine
// uses while the dialog is open, the joystick test panel, what OK writes, the options applied at
// once, and the start with Windows in the prefix's registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <thread>

#include "tests/e2e/dialog_driver.h"

namespace pwstd::wintest {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// Long enough for a dozen polls of the engine and a dozen ticks of the test panel.
constexpr milliseconds kQuiet{350};

const std::string kButtonsLabel = "ボタン数－";
const std::string kSensitivityLabel = "感度－";
const std::string kIntervalLabel = "ジョイスティック監視間隔－";

// The general settings dialog's native controls, found as a user sees them.
struct GeneralDialog {
    HWND window = nullptr;
    HWND buttons = nullptr, sensitivity = nullptr, interval = nullptr;  // the three sliders
    HWND buttons_label = nullptr, sensitivity_label = nullptr, interval_label = nullptr;
    HWND test = nullptr;  // Text1, the test panel
    HWND ok = nullptr, cancel = nullptr, repeat = nullptr, keyup = nullptr, last_in_force = nullptr;

    explicit GeneralDialog(HWND dialog) : window(dialog) {
        const std::vector<HWND> bars = Children(dialog, L"SCROLLBAR");
        if (bars.size() == 3) {
            buttons = bars[0];
            sensitivity = bars[1];
            interval = bars[2];
        }
        buttons_label = ChildWithText(dialog, L"STATIC", kButtonsLabel, true);
        sensitivity_label = ChildWithText(dialog, L"STATIC", kSensitivityLabel, true);
        interval_label = ChildWithText(dialog, L"STATIC", kIntervalLabel, true);
        const std::vector<HWND> edits = Children(dialog, L"EDIT");
        if (edits.size() == 1) test = edits[0];
        ok = ChildWithText(dialog, L"BUTTON", "ＯＫ");
        cancel = ChildWithText(dialog, L"BUTTON", "ｷｬﾝｾﾙ");
        repeat = ChildWithText(dialog, L"BUTTON", "キーリピート機能");
        keyup = ChildWithText(dialog, L"BUTTON", "キーリピート時に毎回キーアップを送る");
        last_in_force = ChildWithText(dialog, L"BUTTON", "起動時のテンプレートは 前回終了時の物にする");
    }
    bool complete() const {
        for (HWND child : {buttons, sensitivity, interval, buttons_label, sensitivity_label, interval_label, test, ok,
                           cancel, repeat, keyup, last_in_force})
            if (child == nullptr) return false;
        return true;
    }
};

// Keys the engine may send while a dialog has the focus: letters, which none of its controls
// acts on (an arrow key would move the focused slider).
const std::vector<std::string> kLetterKeys = {"[KeySettei]", "Cursor1=85", "Cursor2=68", "Cursor3=76",
                                              "Cursor4=82", "Button1=65", "Button2=66", "Button3=67",
                                              "Button4=69", "Button10=70", "Button30=71"};

std::string Settings(std::vector<std::string> general) {
    general.insert(general.begin(), "[Padwright Standard]");
    general.insert(general.end(), kLetterKeys.begin(), kLetterKeys.end());
    return Ini(general);
}

struct ScrollStep {
    const char* what;
    HWND GeneralDialog::*bar;
    WORD code;  // SB_...; 0xFFFF: a real click on the bar's right arrow
    int position;
    HWND GeneralDialog::*label;
    std::string caption;
    int value;
};

constexpr WORD kClickRightArrow = 0xFFFF;

TEST(GeneralDialog, SlidersMoveTheirLabelsAndOkWritesEverySetting) {
    // In a folder whose name the ANSI code page cannot hold: OK still writes the file.
    AppSession app("", {.folder = L"설정 é"});
    app.Start();
    const GeneralDialog dialog(OpenSettings(app, SettingsItem::General));
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_TRUE(dialog.complete());

    // As opened from the defaults; the sensitivity label keeps its laid-out space until it moves.
    EXPECT_EQ(TextOf(dialog.buttons_label), kButtonsLabel + " 4");
    EXPECT_EQ(TextOf(dialog.sensitivity_label), kSensitivityLabel + " 4000");
    EXPECT_EQ(TextOf(dialog.interval_label), kIntervalLabel + " 25ms");
    EXPECT_EQ(ScrollPos(dialog.sensitivity), 16384);

    using G = GeneralDialog;
    const ScrollStep steps[] = {
        {"arrow click", &G::sensitivity, kClickRightArrow, 0, &G::sensitivity_label, kSensitivityLabel + "4001", 16385},
        {"trough", &G::sensitivity, SB_PAGERIGHT, 0, &G::sensitivity_label, kSensitivityLabel + "4101", 16641},
        {"drag", &G::sensitivity, SB_THUMBPOSITION, 300, &G::sensitivity_label, kSensitivityLabel + "12C", 300},
        {"arrow", &G::sensitivity, SB_LINELEFT, 0, &G::sensitivity_label, kSensitivityLabel + "12B", 299},
        {"drag", &G::buttons, SB_THUMBPOSITION, 10, &G::buttons_label, kButtonsLabel + " 10", 10},
        {"leftmost", &G::buttons, SB_LEFT, 0, &G::buttons_label, kButtonsLabel + " 1", 1},
        {"arrow click", &G::buttons, kClickRightArrow, 0, &G::buttons_label, kButtonsLabel + " 2", 2},
        {"rightmost", &G::interval, SB_RIGHT, 0, &G::interval_label, kIntervalLabel + " 200ms", 200},
        {"trough", &G::interval, SB_PAGELEFT, 0, &G::interval_label, kIntervalLabel + " 190ms", 190},
        {"drag", &G::interval, SB_THUMBPOSITION, 50, &G::interval_label, kIntervalLabel + " 50ms", 50},
    };
    for (const ScrollStep& step : steps) {
        SCOPED_TRACE(std::string(step.what) + " to " + step.caption);
        const HWND bar = dialog.*step.bar;
        if (step.code == kClickRightArrow) {
            ClickAt(bar, -GetSystemMetrics(SM_CXHSCROLL) / 2);
        } else if (step.code == SB_THUMBPOSITION) {
            DragThumb(bar, step.position);
        } else {
            Scroll(bar, step.code);
        }
        EXPECT_EQ(WaitText(dialog.*step.label, step.caption), step.caption);
        EXPECT_EQ(ScrollPos(bar), step.value);
    }

    // Key repeat off greys the key-up box, which keeps its check; the start-up rule of the last exit.
    Click(dialog.repeat);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(dialog.keyup); }, seconds(3)));
    EXPECT_EQ(SendMessageW(dialog.repeat, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(dialog.keyup, BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(dialog.last_in_force);
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(dialog.last_in_force, BM_GETCHECK, 0, 0) == BST_CHECKED; },
                        seconds(3)));

    const uint32_t old_timer = app.winmm().calls(standin::Call::SetEvent).back().result;
    Click(dialog.ok);
    ASSERT_TRUE(WaitClosed(dialog.window));
    EXPECT_EQ(ReadFileBytes(app.ini_path()), Ini({"[Padwright Standard]", "Kando=12B", "Wait=50", "Buttons=2",
                                                  "Repeat=0", "Keyup=1", "StartTemp=2", "BefTemp=0"}));

    // The interval changed: the old timer and period go, then the new ones start.
    ASSERT_TRUE(WaitFor([&] { return app.winmm().calls(standin::Call::SetEvent).size() == 2; }, seconds(5)));
    std::vector<std::string> restart;
    for (const standin::CallRecord& call : app.winmm().calls()) {
        restart.push_back(std::to_string(call.call) + ":" + std::to_string(call.args[0]));
    }
    EXPECT_EQ(restart, (std::vector<std::string>{"1:25", "3:25", "4:" + std::to_string(old_timer), "2:25", "1:50",
                                                 "3:50"}));
}

struct CloseCase {
    const char* name;
    bool close_box;
};

TEST(GeneralDialog, ACommittedSensitivityIsLiveUntilCancelOrTheCloseBoxPutsItBack) {
    for (const CloseCase c : {CloseCase{"cancel", false}, CloseCase{"close box", true}}) {
        SCOPED_TRACE(c.name);
        const std::string ini = Settings({"Kando=4000", "Repeat=0", "Keyup=0"});
        AppSession app(ini);
        // Inside the centre at 16384 (left below 16384), outside it at 24576.
        app.winmm().set(Held(0, 0, 20000, 32768));
        app.Start();
        const GeneralDialog dialog(OpenSettings(app, SettingsItem::General));
        ASSERT_NE(dialog.window, nullptr);
        ASSERT_TRUE(dialog.complete());
        const size_t before = app.keys().count();
        std::this_thread::sleep_for(kQuiet);
        EXPECT_EQ(KeyText(app.keys().keys(0)), "");
        EXPECT_EQ(TextOf(dialog.test), "");

        // While the thumb is dragged only the label follows.
        DragThumb(dialog.sensitivity, 0x6000, false);
        EXPECT_EQ(WaitText(dialog.sensitivity_label, kSensitivityLabel + "6000"), kSensitivityLabel + "6000");
        std::this_thread::sleep_for(kQuiet);
        EXPECT_EQ(KeyText(app.keys().keys(0)), "");
        EXPECT_EQ(TextOf(dialog.test), "");

        // Let go: the engine and the test panel see the stick left at once.
        Scroll(dialog.sensitivity, SB_THUMBPOSITION, 0x6000);
        ASSERT_TRUE(app.keys().wait_count(before + 1, seconds(3)));
        EXPECT_EQ(KeyText(app.keys().keys(before)), "+76");
        EXPECT_EQ(WaitText(dialog.test, "左"), "左");

        if (c.close_box) {
            SendMessageW(dialog.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            Click(dialog.cancel);
        }
        ASSERT_TRUE(WaitClosed(dialog.window));
        // The old sensitivity is back: the same stick is in the centre again, and the key goes up.
        ASSERT_TRUE(app.keys().wait_count(before + 2, seconds(3)));
        EXPECT_EQ(KeyText(app.keys().keys(before)), "+76 -76");
        EXPECT_EQ(ReadFileBytes(app.ini_path()), ini);
    }
}

TEST(GeneralDialog, TestPanelShowsTheStickAndTheButtonsUpToTheSlidersCount) {
    const std::string ini = Settings({"Buttons=4", "Repeat=0", "Keyup=0"});
    AppSession app(ini);
    // Fully left and down, buttons 2 and 10.
    app.winmm().set(Held(0, (1u << 1) | (1u << 9), 0, 65535));
    app.Start();
    const GeneralDialog dialog(OpenSettings(app, SettingsItem::General));
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_TRUE(dialog.complete());

    EXPECT_EQ(WaitText(dialog.test, "左 下 2"), "左 下 2");
    DragThumb(dialog.buttons, 10);
    EXPECT_EQ(WaitText(dialog.test, "左 下 2 10"), "左 下 2 10");
    // The count as dragged counts, before the thumb is let go.
    DragThumb(dialog.buttons, 9, false);
    EXPECT_EQ(WaitText(dialog.test, "左 下 2"), "左 下 2");
    DragThumb(dialog.buttons, 30);

    const struct {
        standin::JoyStep pad;
        const char* shown;
    } pads[] = {
        {Held(0, 1u | (1u << 29), 65535, 32768), "右 1 30"},
        {Held(0, 0, 32768, 0), " 上"},
        {Held(0, 1u << 11, 49152, 49153), " 下 12"},  // 49152 is still the centre, 49153 is not
        {Unplugged(0), ""},
        {Held(0, 1u << 2, 16383, 16384), "左 3"},
        {Idle(0), ""},
    };
    for (const auto& p : pads) {
        app.winmm().set(p.pad);
        EXPECT_EQ(WaitText(dialog.test, p.shown), p.shown);
    }

    Click(dialog.cancel);
    ASSERT_TRUE(WaitClosed(dialog.window));
    EXPECT_EQ(ReadFileBytes(app.ini_path()), ini);
}

// With "AllAxes" the panel shows the held axis controls after the buttons; the trigger on Z rests
// at 0 and shows nothing there.
TEST(GeneralDialog, TestPanelShowsTheAxisControls) {
    AppSession app(Settings({"Buttons=4", "AllAxes=1"}));
    app.winmm().expect_calls(0xBF, false);
    app.winmm().set_caps(6, 0xF);
    standin::JoyStep rest = Idle(0);
    rest.z = 0;
    app.winmm().set(rest);
    app.Start();
    const GeneralDialog dialog(OpenSettings(app, SettingsItem::General));
    ASSERT_NE(dialog.window, nullptr);
    std::this_thread::sleep_for(kQuiet);
    EXPECT_EQ(TextOf(dialog.test), "");
    standin::JoyStep pulled = Held(0, 1, 0, 32768);
    pulled.z = 65535;
    pulled.r = 0;
    pulled.u = 65535;
    pulled.v = 0;
    app.winmm().set(pulled);
    EXPECT_EQ(WaitText(dialog.test, "左 1 Z+ R- U+ V-"), "左 1 Z+ R- U+ V-");
    Click(dialog.cancel);
    ASSERT_TRUE(WaitClosed(dialog.window));
    EXPECT_EQ(app.winmm().joy_bad(), 0u);
}

// With "PovStick" the panel shows the hat of the pad the readers found at joystick 2, the same pad
// the engine reads; OK writes the dialog's settings and leaves the three options as they are.
TEST(GeneralDialog, TestPanelShowsTheHatOfThePadFoundAndOkKeepsTheOptions) {
    const std::string ini =
        Settings({"Buttons=4", "Repeat=0", "Keyup=0", "PovStick=1", "AnyJoystick=1", "ScanCodes=1"});
    AppSession app(ini);
    app.winmm().answer_at(1);
    app.winmm().expect_calls(0xC3, true);
    app.Start();
    const GeneralDialog dialog(OpenSettings(app, SettingsItem::General));
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_TRUE(dialog.complete());

    const struct {
        uint32_t x, y, pov, buttons;
        const char* shown;
    } pads[] = {
        {32768, 32768, 0, 0, " 上"},
        {32768, 32768, 13500, 1u << 1, "右 下 2"},
        {65535, 32768, 22500, 0, "右 下"},  // the stick keeps right, the hat gives down
        {32768, 0, 27000, 0, "左 上"},
        {32768, 32768, 65535, 0, ""},
    };
    for (const auto& p : pads) {
        standin::JoyStep step = Held(0, p.buttons, p.x, p.y);
        step.pov = p.pov;
        app.winmm().set(step);
        EXPECT_EQ(WaitText(dialog.test, p.shown), p.shown);
    }

    Click(dialog.ok);
    ASSERT_TRUE(WaitClosed(dialog.window));
    const std::string file = ReadFileBytes(app.ini_path());
    EXPECT_EQ(IniValue(file, "Padwright Standard", "Kando"), "4000");
    for (const char* key : {"PovStick", "AnyJoystick", "ScanCodes"})
        EXPECT_EQ(IniValue(file, "Padwright Standard", key), "1") << key;
    EXPECT_EQ(app.winmm().joy_bad(), 0u);
    EXPECT_EQ(app.winmm().joy_ids(), 0x3u);
}

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value "PwStd" of the prefix's current user, or "(none)".
std::wstring RunValue() {
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"PwStd", RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"(none)";
    return text;
}

void RemoveRunValue() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"PwStd"); }

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Open and OK change nothing; the hat box with OK makes the hat send its direction at once, the
// timer stopped and started again; the start box writes and removes the Run value, not the file.
TEST(OptionsDialog, TheHatAppliesAtOnceAndTheStartBoxWritesAndRemovesTheRunValue) {
    RemoveRunValue();
    const std::string ini = Settings({"Repeat=0", "Keyup=0"});
    AppSession app(ini, {.folder = L"起動 Ωmega"});
    standin::JoyStep hat_right = Idle(0);
    hat_right.pov = 9000;
    app.winmm().set(hat_right);
    app.Start();

    const auto open = [&] {
        const HWND dialog = OpenSettings(app, SettingsItem::Options);
        EXPECT_NE(dialog, nullptr);
        EXPECT_EQ(TextOf(dialog), "Padwright Standard プロパティ－拡張設定");
        EXPECT_EQ(Children(dialog, L"SCROLLBAR").size(), 7u);
        return dialog;
    };
    const auto ok = [&](HWND dialog) {
        Click(ChildWithText(dialog, L"BUTTON", "ＯＫ"));
        EXPECT_TRUE(WaitClosed(dialog));
    };

    HWND dialog = open();
    ASSERT_NE(dialog, nullptr);
    for (const char* caption : {"十字キー（ハット）で方向を送る", "ジョイスティック１が無いときは他のパッドを使う",
                                "スキャンコードも送る", "Xbox 系のパッドを XInput で読む", "Z・R・U・V 軸もキーにする",
                                "前面のアプリでテンプレートを切り替える", "マウス操作を使う", "キーの組み合わせを使う",
                                "Windows の開始時に起動する", "キャンセル"}) {
        const HWND box = ChildWithText(dialog, L"BUTTON", caption);
        ASSERT_NE(box, nullptr) << caption;
        EXPECT_FALSE(Checked(box)) << caption;
    }
    EXPECT_NE(ChildWithText(dialog, L"STATIC", "テンプレート切り替えボタン－ なし"), nullptr);
    ok(dialog);
    std::this_thread::sleep_for(kQuiet);
    EXPECT_EQ(ReadFileBytes(app.ini_path()), ini);
    EXPECT_EQ(app.winmm().calls(standin::Call::SetEvent).size(), 1u);
    // The hat is not read yet. (Only the hat's key is looked for: the keyboard hook sees the whole
    // desktop's injected keys.)
    const auto hat_keys = [&] { return KeyText(app.keys().keys(0)).find("+82") != std::string::npos; };
    EXPECT_FALSE(hat_keys());

    dialog = open();
    ASSERT_NE(dialog, nullptr);
    Click(ChildWithText(dialog, L"BUTTON", "十字キー（ハット）で方向を送る"));
    ok(dialog);
    EXPECT_TRUE(WaitFor(hat_keys, seconds(3)));
    EXPECT_EQ(IniValue(ReadFileBytes(app.ini_path()), "Padwright Standard", "PovStick"), "1");
    const std::vector<standin::CallRecord> events = app.winmm().calls(standin::Call::SetEvent);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(app.winmm().calls(standin::Call::KillEvent).at(0).args[0], events[0].result);
    EXPECT_NE(events[1].args[3] & TIME_KILL_SYNCHRONOUS, 0u);
    const std::string with_hat = ReadFileBytes(app.ini_path());

    dialog = open();
    ASSERT_NE(dialog, nullptr);
    Click(ChildWithText(dialog, L"BUTTON", "Windows の開始時に起動する"));
    ok(dialog);
    EXPECT_EQ(RunValue(), L"\"" + app.exe() + L"\"");
    EXPECT_EQ(ReadFileBytes(app.ini_path()), with_hat);
    // The same path in another case, unquoted ("Ωmega" as "ωMEGA"), still names this program.
    std::wstring other_case = app.exe();
    CharUpperW(other_case.data());
    other_case.replace(other_case.find(L"ΩMEGA"), 5, L"ωMEGA");
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, L"PwStd", REG_SZ, other_case.c_str(),
                    static_cast<DWORD>((other_case.size() + 1) * sizeof(wchar_t)));

    dialog = open();
    ASSERT_NE(dialog, nullptr);
    const HWND start = ChildWithText(dialog, L"BUTTON", "Windows の開始時に起動する");
    EXPECT_TRUE(Checked(start));
    EXPECT_TRUE(Checked(ChildWithText(dialog, L"BUTTON", "十字キー（ハット）で方向を送る")));
    Click(start);
    ok(dialog);
    EXPECT_EQ(RunValue(), L"(none)");
    EXPECT_EQ(ReadFileBytes(app.ini_path()), with_hat);
    EXPECT_EQ(app.winmm().calls(standin::Call::SetEvent).size(), 2u);
    RemoveRunValue();
}

}  // namespace
}  // namespace pwstd::wintest
