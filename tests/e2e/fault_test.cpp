// The real PwStd.exe under Wine when things go wrong around it: a settings file it cannot write or
// cannot read, a huge settings file, a joystick that fails every other reading, a timer that does
// not start. In each the program goes on without a word: it keeps running, shows no window, does
// not crash, keeps in memory what the user chose, and quits as usual.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <thread>

#include "tests/e2e/app_session.h"
#include "tests/e2e/settings_fault.h"

namespace pwstd::wintest {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

bool WineDebuggerRuns() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
        found = lstrcmpiW(entry.szExeFile, L"winedbg.exe") == 0;
    CloseHandle(snapshot);
    return found;
}

std::string Describe(const std::vector<HWND>& windows) {
    std::string text;
    for (HWND window : windows) {
        wchar_t name[64] = {}, title[128] = {};
        GetClassNameW(window, name, 64);
        GetWindowTextW(window, title, 128);
        text += " [" + Narrow(name) + " \"" + Narrow(title) + "\"]";
    }
    return text;
}

// Running, with nothing of it on screen (it has no window but its popup menu), and no crash dialog.
void ExpectQuietAndRunning(AppSession& app) {
    EXPECT_TRUE(app.process().running()) << "the program ended";
    const std::vector<HWND> windows = app.VisibleWindows();
    EXPECT_TRUE(windows.empty()) << "windows shown:" << Describe(windows);
    EXPECT_FALSE(WineDebuggerRuns()) << "a crash dialog";
}

void ExpectQuitsAsUsual(AppSession& app) {
    uint32_t exit_code = 1;
    ASSERT_TRUE(app.Quit(&exit_code)) << "the program did not end from its menu";
    EXPECT_EQ(exit_code, 0u);
    EXPECT_EQ(app.tray().calls().back().message, static_cast<uint32_t>(NIM_DELETE));
    EXPECT_FALSE(WineDebuggerRuns()) << "a crash dialog";
}

// Button 1 held for `polls` readings, then the pad at rest: the keys that reach the desktop.
std::string PressButton1(AppSession& app, uint32_t polls = 4) {
    const size_t from = app.keys().count();
    app.winmm().script({Held(polls, 1), Idle(0)});
    if (!app.keys().wait_count(from + 2, seconds(5))) return "(too few keys) " + KeyText(app.keys().keys(from));
    size_t seen = 0;
    while (seen != app.keys().count()) {
        seen = app.keys().count();
        std::this_thread::sleep_for(milliseconds(300));
    }
    return KeyText(app.keys().keys(from));
}

// Button 1 sends 65 in the custom map, 67 in template 3 and 68 in template 4. `bef_temp` is the
// stored text of the last exit's template: "03" reads as 3, and start-up writes it back as "3".
std::string SettingsText(const std::string& bef_temp) {
    return Ini({"[Padwright Standard]", "Wait=40", "Repeat=0", "Keyup=0", "StartTemp=2", "BefTemp=" + bef_temp,
                "[KeySettei]", "Button1=65", "[KeySetteiTemp3]", "Button1=67", "[KeySetteiTemp4]", "Button1=68"});
}

struct FileFaultCase {
    const char* name;
    SettingsFault fault;
    bool readable;  // the file can still be read while the fault stands
    const wchar_t* folder = L"";  // the program's folder, in the test's own
};

const FileFaultCase kFileFaults[] = {
    {"no fault", SettingsFault::None, true},
    {"file read-only", SettingsFault::ReadOnlyFile, true},
    {"folder read-only", SettingsFault::ReadOnlyFolder, true},
    {"file locked by another program", SettingsFault::Locked, false},
    {"a directory named PwStd.ini", SettingsFault::Directory, false},
    // Korean letters and "é" have no place in the ANSI code page (932 here): the file must be
    // reached by its Unicode path.
    {"a folder named outside the ANSI code page", SettingsFault::None, true, L"설정 é"},
};

// With the start-up rule 2, start-up applies the template of the last exit and writes it back.
TEST(Fault, ASettingsFileThatCannotBeWrittenOrReadAtStartUpStillGivesAWorkingPad) {
    const std::string repeat_pairs = "+32 -32 +32 -32 +32 -32 +32 -32";
    for (const FileFaultCase& c : kFileFaults) {
        SCOPED_TRACE(c.name);
        AppSession app(SettingsText("03"), {.folder = c.folder});
        const std::string original = ReadFileBytes(app.ini_path());
        SettingsObstacle obstacle(c.fault, app.ini_path());
        app.Start();

        // Readable: the file's settings and template 3. Unreadable: the defaults (a 25 ms timer,
        // repeat with key-up, the custom map with the space bar on every button).
        EXPECT_EQ(app.winmm().calls(standin::Call::SetEvent).at(0).args[0], c.readable ? 40u : 25u);
        EXPECT_EQ(PressButton1(app), c.readable ? "+67 -67" : repeat_pairs);
        ExpectQuietAndRunning(app);

        if (c.fault == SettingsFault::Directory) {
            EXPECT_TRUE(IsEmptyDirectory(app.ini_path()));
        }
        obstacle.Release();
        const std::string now = ReadFileBytes(app.ini_path());
        if (c.fault == SettingsFault::None) {
            EXPECT_EQ(IniValue(now, "Padwright Standard", "BefTemp"), "3") << "the write-back did not reach the file";
        } else if (c.fault != SettingsFault::Directory) {
            EXPECT_EQ(now, original);
        }
        ExpectQuitsAsUsual(app);
    }
}

// Choosing a template from the tray menu is the one user action that writes the file without a
// dialog (with the start-up rule 2 it records the template for the next start).
TEST(Fault, ATemplateChosenWhileTheFileCannotBeWrittenStillAppliesAndTheFileStaysIntact) {
    for (const FileFaultCase& c : kFileFaults) {
        SCOPED_TRACE(c.name);
        AppSession app(SettingsText("0"), {.folder = c.folder});
        app.Start();
        ASSERT_EQ(PressButton1(app), "+65 -65");
        const std::string before = ReadFileBytes(app.ini_path());  // as start-up wrote it
        ASSERT_EQ(IniValue(before, "Padwright Standard", "BefTemp"), "0");

        SettingsObstacle obstacle(c.fault, app.ini_path());
        ASSERT_TRUE(app.ChooseTemplate(4));
        // The choice holds in memory: template 4 as read from the file, or, when the file cannot
        // be read, the map every key defaults to. Repeat 0 from start-up still applies.
        EXPECT_EQ(PressButton1(app), c.readable ? "+68 -68" : "+32 -32");
        ExpectQuietAndRunning(app);

        if (c.fault == SettingsFault::Directory) {
            EXPECT_TRUE(IsEmptyDirectory(app.ini_path()));
        }
        obstacle.Release();
        const std::string after = ReadFileBytes(app.ini_path());
        if (c.fault == SettingsFault::None) {
            EXPECT_EQ(IniValue(after, "Padwright Standard", "BefTemp"), "4");
        } else if (c.fault != SettingsFault::Directory) {
            EXPECT_EQ(after, before);
        }

        // Once the file can be written again, the next choice is recorded.
        ASSERT_TRUE(app.ChooseTemplate(4));
        EXPECT_EQ(IniValue(ReadFileBytes(app.ini_path()), "Padwright Standard", "BefTemp"), "4");
        ExpectQuitsAsUsual(app);
    }
}

TEST(Fault, AFiftyMegabyteSettingsFileStartsInReasonableTimeWithItsValues) {
    const std::string settings = Ini({"[Padwright Standard]", "Wait=40", "Buttons=6", "Repeat=0", "Keyup=0",
                                      "StartTemp=1", "[KeySetteiTemp1]", "Cursor3=82", "Button1=66", "Button6=70"});
    constexpr size_t kSize = 50u << 20;
    // Filler of the kinds a runaway writer leaves: a section of many keys, or plain comment lines.
    std::string keys_filler = "[Filler]\r\n", comment_filler;
    for (int i = 0; keys_filler.size() < kSize; ++i)
        keys_filler += "Line" + std::to_string(i) + "=" + std::string(90, 'x') + "\r\n";
    while (comment_filler.size() < kSize) comment_filler += "; " + std::string(96, '-') + "\r\n";
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"settings first, then 50 MB of keys", settings + keys_filler},
        {"50 MB of comment lines, then the settings", comment_filler + settings},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppSession app(c.text);
        const int64_t started = Qpc();
        app.Start();
        const double start_ms = QpcMs(app.winmm().calls(standin::Call::SetEvent).at(0).qpc - started);
        std::printf("%s: started in %.0f ms\n", c.name, start_ms);
        EXPECT_LT(start_ms, 10000.0);
        EXPECT_EQ(app.winmm().calls(standin::Call::SetEvent).at(0).args[0], 40u);

        // Template 1 with six buttons: stick left with buttons 1 and 6.
        const size_t from = app.keys().count();
        app.winmm().script({Held(3, 1u | 32u, 0, 32768), Idle(0)});
        ASSERT_TRUE(app.keys().wait_count(from + 6, seconds(5)));
        std::this_thread::sleep_for(milliseconds(200));
        EXPECT_EQ(KeyText(app.keys().keys(from)), "+82 +66 +70 -82 -66 -70");
        ExpectQuietAndRunning(app);
        ExpectQuitsAsUsual(app);
    }
}

// Presses and releases per key code from a run of keys; true when every key is up at the end.
bool AllLetGo(const std::vector<KeyEvent>& keys) {
    std::map<uint32_t, int> down;
    for (const KeyEvent& key : keys) down[key.vk] += key.up ? -1 : 1;
    return std::all_of(down.begin(), down.end(), [](const auto& entry) { return entry.second == 0; });
}

// Every good reading presses, every failed one releases; after a failure the reader leaves the
// joystick alone for a second, so a joystick failing at every other call costs two calls a second
// while the poll cycle goes on at its full rate.
TEST(Fault, AJoystickFailingEveryOtherReadingLeavesNoKeyStuck) {
    const struct {
        int repeat, keyup;
    } modes[] = {{0, 0}, {1, 0}, {1, 1}};
    for (const auto& m : modes) {
        SCOPED_TRACE("Repeat " + std::to_string(m.repeat) + ", Keyup " + std::to_string(m.keyup));
        AppSession app(Ini({"[Padwright Standard]", "Repeat=" + std::to_string(m.repeat),
                            "Keyup=" + std::to_string(m.keyup), "[KeySettei]", "Cursor3=81", "Button1=65"}));
        app.Start();
        const size_t from = app.keys().count();
        const size_t tray_from = app.tray().count();
        const uint32_t calls0 = app.winmm().joy_calls(), ticks0 = app.winmm().ticks();
        standin::JoyStep flaky = Held(0, 1, 0, 32768);
        flaky.flaky = 1;
        const int64_t t0 = Qpc();
        app.winmm().set(flaky);
        std::this_thread::sleep_for(milliseconds(3200));
        const double secs = QpcMs(Qpc() - t0) / 1000.0;
        const uint32_t calls = app.winmm().joy_calls() - calls0;
        const uint32_t ticks = app.winmm().ticks() - ticks0;

        // The pad at rest: a second's retry brings the good reading, and nothing stays down.
        app.winmm().set(Idle(0));
        std::this_thread::sleep_for(milliseconds(1300));
        const std::vector<KeyEvent> keys = app.keys().keys(from);
        const size_t cycles = keys.size() / 4;
        std::string expected;
        for (size_t i = 0; i < cycles; ++i) expected += std::string(i ? " " : "") + "+81 +65 -81 -65";
        EXPECT_EQ(KeyText(keys), expected);
        EXPECT_TRUE(AllLetGo(keys));
        EXPECT_GE(cycles, 2u);
        EXPECT_LE(cycles, 5u);
        EXPECT_LE(calls, static_cast<uint32_t>(2.0 * secs) + 3) << "the failing joystick was not left alone";
        EXPECT_GT(ticks, static_cast<uint32_t>(25 * secs)) << "polling slowed down";
        int rates = 0;
        for (const TrayCall& call : app.tray().calls())
            if (IsRateTip(call)) rates += RateOf(call) >= 25 ? 1 : 0;
        EXPECT_GE(rates, 3) << "the rate display stopped";
        EXPECT_GT(app.tray().count(), tray_from);
        EXPECT_EQ(app.winmm().joy_bad(), 0u);
        ExpectQuietAndRunning(app);
        ExpectQuitsAsUsual(app);
    }
}

// With no timer the pad is dead, but the tray icon, its menu and quitting work as ever.
TEST(Fault, ATimerThatDoesNotStartLeavesTheTrayIconItsMenuAndQuitWorking) {
    AppSession app(Ini({"[Padwright Standard]", "StartTemp=2", "[KeySettei]", "Button1=65"}));
    app.winmm().fail_timer(true);
    app.winmm().set(Held(0, 1));
    app.Start();
    const auto set = app.winmm().calls(standin::Call::SetEvent);
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0].result, 0u);

    size_t from = app.tray().count();
    app.Callback(513);
    EXPECT_GE(app.WaitTray(from, [](const TrayCall& c) { return c.tip == kPausedTip; }), 0);
    from = app.tray().count();
    app.Callback(513);
    EXPECT_GE(app.WaitTray(from, [](const TrayCall& c) { return c.tip == kRunningTip; }), 0);
    ASSERT_TRUE(app.ChooseTemplate(3));
    EXPECT_EQ(IniValue(ReadFileBytes(app.ini_path()), "Padwright Standard", "BefTemp"), "3");
    std::this_thread::sleep_for(milliseconds(500));
    ExpectQuietAndRunning(app);

    // No poll ever ran: no reading, no key, no rate display.
    EXPECT_EQ(app.winmm().ticks(), 0u);
    EXPECT_EQ(app.winmm().joy_calls(), 0u);
    EXPECT_EQ(app.keys().count(), 0u);
    for (const TrayCall& call : app.tray().calls()) EXPECT_FALSE(IsRateTip(call)) << call.tip;

    ExpectQuitsAsUsual(app);
    const auto kill = app.winmm().calls(standin::Call::KillEvent);
    ASSERT_EQ(kill.size(), 1u);
    EXPECT_EQ(kill[0].args[0], 0u);
    EXPECT_EQ(app.winmm().calls(standin::Call::EndPeriod).size(), 1u);
}

}  // namespace
}  // namespace pwstd::wintest
