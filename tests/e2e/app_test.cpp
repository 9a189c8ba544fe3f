// The real PwStd.exe under Wine, checked from outside: its tray calls, its timer, the keys that
// reach the desktop for scripted pad input, and the ways it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "tests/e2e/app_session.h"
#include "tests/e2e/dialog_driver.h"

#include <mmsystem.h>

namespace pwstd::wintest {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(App, ExecutableCarriesItsIconsManifestAndVersion) {
    const std::wstring exe = FromBuildPath(PWSTD_EXE_PATH);
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    // The program's icon (1), the paused icon and the four running frames, each with an image of
    // every size the system asks for at display scales of 100 to 200 %, so none is stretched.
    const std::vector<int> tray_sizes = {16, 20, 24, 32}, program_sizes = {16, 20, 24, 32, 48};
    for (int id : {1, 10, 11, 12, 13, 14}) {
        HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
        ASSERT_NE(group, nullptr) << id;
        // The group's directory: three 16-bit words, then an entry of 14 bytes per image whose
        // first byte is its width.
        const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
        ASSERT_NE(directory, nullptr) << id;
        std::vector<int> sizes;
        for (int i = 0; i < directory[4] + 256 * directory[5]; ++i) sizes.push_back(directory[6 + 14 * i]);
        std::sort(sizes.begin(), sizes.end());
        EXPECT_EQ(sizes, id == 1 ? program_sizes : tray_sizes) << id;
    }
    FreeLibrary(module);

    // The project version, in the version information and the manifest; started as the user who
    // starts it, never asking to run as administrator.
    const std::string manifest = ManifestOf(exe);
    EXPECT_NE(manifest.find("name=\"PwStd\" version=\"" PWSTD_VERSION ".0\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos);
    EXPECT_EQ(VersionValue(exe, L"ProductName"), "Padwright Standard");
    EXPECT_EQ(VersionValue(exe, L"ProductVersion"), PWSTD_VERSION);
    EXPECT_EQ(VersionValue(exe, L"FileVersion"), PWSTD_VERSION);
    EXPECT_EQ(VersionValue(exe, L"FileDescription"), "ジョイスティックで仮想キーボード");
}

struct StartCase {
    const char* name;
    std::vector<std::string> ini;
    uint32_t wait;
};

TEST(App, StartAddsTheIconThenStartsTheTimerWithTheClampedWait) {
    const StartCase cases[] = {
        {"no settings file", {}, 25},
        {"Wait 0", {"[Padwright Standard]", "Wait=0"}, 1},
        {"Wait 1000", {"[Padwright Standard]", "Wait=1000"}, 200},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        AppSession app(c.ini.empty() ? "" : Ini(c.ini));
        app.Start();

        const TrayCall add = app.tray().calls().front();
        EXPECT_EQ(add.message, NIM_ADD);
        EXPECT_EQ(add.id, 0u);
        EXPECT_EQ(add.flags, 7u);
        EXPECT_EQ(add.callback, 512u);
        EXPECT_EQ(add.tip, kRunningTip);
        EXPECT_NE(add.icon, 0u);
        EXPECT_EQ(add.icon_width, static_cast<uint32_t>(GetSystemMetrics(SM_CXSMICON)));
        EXPECT_FALSE(IsWindowVisible(app.window()));

        const auto begin = app.winmm().calls(standin::Call::BeginPeriod);
        const auto set = app.winmm().calls(standin::Call::SetEvent);
        ASSERT_EQ(begin.size(), 1u);
        ASSERT_EQ(set.size(), 1u);
        EXPECT_EQ(begin[0].args[0], c.wait);
        EXPECT_EQ(set[0].args[0], c.wait);
        EXPECT_EQ(set[0].args[1], 5u);
        EXPECT_EQ(set[0].args[2], 1u);
        EXPECT_EQ(set[0].args[3], 0x101u);  // TIME_PERIODIC | TIME_KILL_SYNCHRONOUS
        EXPECT_NE(set[0].callback, 0u);
        EXPECT_LT(add.qpc, begin[0].qpc);
        EXPECT_LT(begin[0].qpc, set[0].qpc);
    }
}

struct TemplateCase {
    int start_temp;
    int bef_temp;
    uint32_t left, button1;  // the keys of the slot applied
    const char* bef_temp_after;
};

TEST(App, PadInputSendsTheKeysOfTheStartUpTemplate) {
    const TemplateCase cases[] = {
        {0, 5, 81, 65, "5"},  // custom map; BefTemp left alone
        {1, 5, 82, 66, "5"},  // the topmost template
        {2, 7, 84, 68, "7"},  // the template of the last exit, written back
        {2, 11, 81, 65, "0"}, // out of range: the custom map, and BefTemp corrected
    };
    for (const TemplateCase& c : cases) {
        SCOPED_TRACE("StartTemp " + std::to_string(c.start_temp) + ", BefTemp " + std::to_string(c.bef_temp));
        AppSession app(Ini({"[Padwright Standard]", "Repeat=0", "Keyup=0",
                            "StartTemp=" + std::to_string(c.start_temp), "BefTemp=" + std::to_string(c.bef_temp),
                            "[KeySettei]", "Cursor3=81", "Button1=65",
                            "[KeySetteiTemp1]", "Cursor3=82", "Button1=66",
                            "[KeySetteiTemp5]", "Cursor3=83", "Button1=67",
                            "[KeySetteiTemp7]", "Cursor3=84", "Button1=68"}));
        app.Start();
        const size_t before = app.keys().count();
        // Stick left with button 1 for a few polls, then let go.
        app.winmm().script({Held(6, 1, 0, 32768), Idle(0)});
        ASSERT_TRUE(app.keys().wait_count(before + 4, seconds(5)));
        std::this_thread::sleep_for(milliseconds(200));
        const auto keys = app.keys().keys(before);
        const std::string l = std::to_string(c.left), b = std::to_string(c.button1);
        EXPECT_EQ(KeyText(keys), "+" + l + " +" + b + " -" + l + " -" + b);
        EXPECT_TRUE(std::all_of(keys.begin(), keys.end(), [](const KeyEvent& k) { return k.injected && !k.extended; }));
        EXPECT_EQ(IniValue(ReadFileBytes(app.ini_path()), "Padwright Standard", "BefTemp"), c.bef_temp_after);
    }
}

struct OptionCase {
    const char* name;
    std::vector<std::string> options;  // lines of "[Padwright Standard]"
    uint32_t id;                       // the joystick that answers
    uint32_t x, y, pov;                // the pad while it is held, with button 1
    const char* keys;                  // what reaches the desktop
    bool scan_codes;                   // the keys carry scan codes, the arrows the extended flag
    uint32_t flags;                    // dwFlags of every reading
    uint32_t ids;                      // the joysticks asked for, one bit each
    uint32_t caps = JOYCAPS_HASPOV;    // what the pad says it has
};

// Each option for today's pads and games acts only when its key is 1; absent or 0, the program
// reads, asks and sends exactly what it always has.
TEST(App, TheOptionsForTodaysPadsActOnlyWhenSetToOne) {
    const OptionCase cases[] = {
        {"no option", {}, 0, 0, 32768, 9000, "+37 +65 -37 -65", false, 0x83, 0x1},
        {"every option 0", {"PovStick=0", "AnyJoystick=0", "ScanCodes=0", "AllAxes=0", "XInput=0"}, 0, 0, 32768, 9000,
         "+37 +65 -37 -65", false, 0x83, 0x1},
        // No XInput pad connected: the joystick service as without the option.
        {"XInput, no XInput pad", {"XInput=1"}, 0, 0, 32768, 9000, "+37 +65 -37 -65", false, 0x83, 0x1},
        {"AllAxes, the other axes at rest", {"AllAxes=1"}, 0, 0, 32768, 9000, "+37 +65 -37 -65", false, 0xBF, 0x1},
        // The hat gives left where the stick is centred; the stick keeps down.
        {"PovStick", {"PovStick=1"}, 0, 32768, 65535, 31500, "+37 +40 +65 -37 -40 -65", false, 0xC3, 0x1},
        // A pad without a hat reporting 0: no up.
        {"PovStick, no hat", {"PovStick=1"}, 0, 0, 32768, 0, "+37 +65 -37 -65", false, 0xC3, 0x1, JOYCAPS_HASZ},
        // A hat that reports any angle is asked for it: a diagonal gives both directions.
        {"PovStick, a hat with fine angles", {"PovStick=1"}, 0, 32768, 32768, 13500, "+39 +40 +65 -39 -40 -65", false,
         0xC3, 0x1, JOYCAPS_HASPOV | JOYCAPS_POVCTS},
        {"a pad at joystick 2 alone", {}, 1, 0, 32768, 65535, "", false, 0x83, 0x1},
        {"AnyJoystick, a pad at joystick 2", {"AnyJoystick=1"}, 1, 0, 32768, 65535, "+37 +65 -37 -65", false, 0x83,
         0x3},
        {"ScanCodes", {"ScanCodes=1"}, 0, 0, 32768, 65535, "+37 +65 -37 -65", true, 0x83, 0x1},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> ini = {"[Padwright Standard]", "Repeat=0", "Keyup=0"};
        ini.insert(ini.end(), c.options.begin(), c.options.end());
        ini.insert(ini.end(), {"[KeySettei]", "Button1=65"});
        AppSession app(Ini(ini));
        app.winmm().answer_at(c.id);
        app.winmm().expect_calls(c.flags, c.ids != 0x1);
        app.winmm().pad_caps(0, 2, c.caps);
        app.Start();
        const size_t before = app.keys().count();
        standin::JoyStep held = Held(6, 1, c.x, c.y);
        held.pov = c.pov;
        app.winmm().script({held, Idle(0)});
        const std::string text = c.keys;
        const size_t expected = text.empty() ? 0 : static_cast<size_t>(std::count(text.begin(), text.end(), ' ')) + 1;
        if (expected > 0) {
            EXPECT_TRUE(app.keys().wait_count(before + expected, seconds(5)));
        }
        std::this_thread::sleep_for(milliseconds(expected > 0 ? 200 : 1200));

        const auto keys = app.keys().keys(before);
        EXPECT_EQ(KeyText(keys), c.keys);
        for (const KeyEvent& k : keys) {
            SCOPED_TRACE(KeyText({k}));
            EXPECT_TRUE(k.injected);
            if (c.scan_codes) {
                EXPECT_NE(k.scan, 0u);
                EXPECT_EQ(k.extended, k.vk >= VK_LEFT && k.vk <= VK_DOWN);
            } else {
                EXPECT_EQ(k.scan, 0u);
                EXPECT_FALSE(k.extended);
            }
        }
        EXPECT_EQ(app.winmm().joy_bad(), 0u);
        EXPECT_EQ(app.winmm().joy_ids(), c.ids);
        EXPECT_EQ(app.winmm().joy_fine() > 0, (c.caps & JOYCAPS_POVCTS) != 0);
    }
}

TEST(App, TrayIconAnimatesPausesResumesAndComesBackWithTheTaskbar) {
    AppSession app(Ini({"[Padwright Standard]", "Repeat=1", "Keyup=0", "[KeySettei]", "Button1=65"}));
    app.Start();
    const TrayCall add = app.tray().calls().front();
    app.winmm().set(Held(0, 1));

    // Five rate displays: the first at once with 0, then about 40 a second; the frame steps
    // 1 (added) -> 2, 3, 4, 1, 2.
    std::vector<TrayCall> rates;
    ASSERT_TRUE(WaitFor(
        [&] {
            rates.clear();
            for (const TrayCall& call : app.tray().calls())
                if (IsRateTip(call)) rates.push_back(call);
            return rates.size() >= 5;
        },
        seconds(10), milliseconds(50)));
    EXPECT_EQ(rates[0].tip, std::string(kRunningTip) + " 0FPS");
    for (size_t i = 1; i < 5; ++i) {
        EXPECT_GE(RateOf(rates[i]), 25) << rates[i].tip;
        EXPECT_LE(RateOf(rates[i]), 45) << rates[i].tip;
    }
    EXPECT_EQ(rates[0].flags, 7u);
    EXPECT_NE(add.icon, rates[0].icon);
    EXPECT_NE(rates[0].icon, rates[1].icon);
    EXPECT_NE(rates[1].icon, rates[2].icon);
    EXPECT_NE(rates[0].icon, rates[2].icon);
    EXPECT_EQ(rates[3].icon, add.icon);
    EXPECT_EQ(rates[4].icon, rates[0].icon);
    // Repeat without key-up: a press at every poll while held.
    EXPECT_GT(app.keys().count(), 20u);

    // The shell restarted: the icon is added again, running.
    const UINT taskbar_created = RegisterWindowMessageW(L"TaskbarCreated");
    size_t from = app.tray().count();
    SendNotifyMessageW(HWND_BROADCAST, taskbar_created, 0, 0);
    int again = app.WaitTray(from, [](const TrayCall& c) { return c.message == NIM_ADD; });
    ASSERT_GE(again, 0);
    EXPECT_EQ(app.tray().calls()[static_cast<size_t>(again)].tip, kRunningTip);

    // Pause: the paused icon and tip; no more keys, no more rate displays.
    from = app.tray().count();
    app.Callback(513);
    const int paused = app.WaitTray(from, [](const TrayCall& c) { return c.tip == kPausedTip; });
    ASSERT_GE(paused, 0);
    const TrayCall pause = app.tray().calls()[static_cast<size_t>(paused)];
    EXPECT_EQ(pause.message, NIM_MODIFY);
    EXPECT_EQ(pause.flags, 6u);
    for (const TrayCall& running : {add, rates[0], rates[1], rates[2]}) EXPECT_NE(pause.icon, running.icon);
    // The button held at the pause comes up at once, and then nothing is sent.
    std::this_thread::sleep_for(milliseconds(200));
    const size_t keys_paused = app.keys().count();
    ASSERT_GT(keys_paused, 0u);
    EXPECT_EQ(KeyText({app.keys().keys().back()}), "-65");
    from = app.tray().count();
    // Moves, releases and double clicks do nothing.
    for (uint32_t mouse : {512u, 514u, 515u, 517u, 518u}) app.Callback(mouse);
    std::this_thread::sleep_for(milliseconds(1500));
    EXPECT_EQ(app.keys().count(), keys_paused);
    EXPECT_EQ(app.tray().count(), from);

    // Re-added while paused: the paused pair.
    SendNotifyMessageW(HWND_BROADCAST, taskbar_created, 0, 0);
    again = app.WaitTray(from, [](const TrayCall& c) { return c.message == NIM_ADD; });
    ASSERT_GE(again, 0);
    EXPECT_EQ(app.tray().calls()[static_cast<size_t>(again)].tip, kPausedTip);
    EXPECT_EQ(app.tray().calls()[static_cast<size_t>(again)].icon, pause.icon);

    // Resume: the running tip, and the keys come again.
    from = app.tray().count();
    app.Callback(513);
    const int resumed = app.WaitTray(from, [](const TrayCall& c) { return c.message == NIM_MODIFY && c.flags == 6; });
    ASSERT_GE(resumed, 0);
    EXPECT_EQ(app.tray().calls()[static_cast<size_t>(resumed)].tip, kRunningTip);
    EXPECT_TRUE(app.keys().wait_count(keys_paused + 5, seconds(3)));
}

// A busy shell answers each change of the icon 1.5 s late. The polls do not wait for it: each
// press and release reaches the system within Wait + 10 ms of the start of the poll that saw the
// pad change (the rate display of that very poll must not hold it up).
TEST(App, KeysKeepTheirTimingWhileTheShellAnswersLate) {
    AppSession app(Ini({"[Padwright Standard]", "Repeat=0", "Keyup=0", "[KeySettei]", "Button1=65"}),
                   {.tray = {.modify_delay_ms = 1500}});
    app.Start();
    ASSERT_GE(app.WaitTray(0, IsRateTip), 0) << "the first rate display, which the shell now holds";

    // Six presses and releases over three seconds: some fall on a rate display the shell holds.
    std::vector<int64_t> seen_by;  // the start of the poll that first read each change
    std::string expected;
    for (int i = 0; i < 6; ++i) {
        for (const standin::JoyStep& pad : {Held(0, 1), Idle(0)}) {
            app.winmm().set(pad);
            std::this_thread::sleep_for(milliseconds(250));
            seen_by.push_back(app.winmm().step_read_tick_qpc(0));
        }
        expected += std::string(i ? " " : "") + "+65 -65";
    }
    app.keys().wait_count(seen_by.size(), seconds(5));
    const std::vector<KeyEvent> keys = app.keys().keys();
    ASSERT_EQ(KeyText(keys), expected) << "a change the polls did not see in 250 ms";
    const double bound_ms = 25 + 10;
    for (size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE((keys[i].up ? "release " : "press ") + std::to_string(i / 2));
        ASSERT_NE(seen_by[i], 0);
        EXPECT_LE(QpcMs(keys[i].qpc - seen_by[i]), bound_ms);
    }

    // The tip still shows the polls made between two displays.
    std::vector<int> rates;
    for (const TrayCall& call : app.tray().calls())
        if (IsRateTip(call)) rates.push_back(RateOf(call));
    ASSERT_GE(rates.size(), 2u);
    for (size_t i = 1; i < rates.size(); ++i) {
        EXPECT_GE(rates[i], 25) << i;
        EXPECT_LE(rates[i], 45) << i;
    }
}

struct RefusedTrayCase {
    const char* name;
    TrayAnswers answers;
    double after_min_ms, after_max_ms;  // when the icon is added again, from the refused call
    const char* tip;                    // the tip it is added with; nullptr: the refused call's
};

// No "TaskbarCreated" is broadcast here: the program itself adds the icon again.
TEST(App, TheIconIsAddedAgainWhenTheShellRefusedIt) {
    const RefusedTrayCase cases[] = {
        {"the add at start-up refused: tried again 2 s later", {.refused_adds = 1}, 1800, 3000, kRunningTip},
        {"a rate display refused, the icon gone: added again at once", {.refused_modifies = 1}, 0, 500, nullptr},
    };
    for (const RefusedTrayCase& c : cases) {
        SCOPED_TRACE(c.name);
        AppSession app(Ini({"[Padwright Standard]", "Repeat=0"}), {.tray = c.answers});
        app.Start();
        const int refused = app.WaitTray(0, [](const TrayCall& call) { return !call.taken; });
        ASSERT_GE(refused, 0);
        const int added = app.WaitTray(static_cast<size_t>(refused) + 1,
                                       [](const TrayCall& call) { return call.message == NIM_ADD; });
        ASSERT_GE(added, 0) << "the icon was not added again";
        const std::vector<TrayCall> calls = app.tray().calls();
        const TrayCall& was = calls[static_cast<size_t>(refused)];
        const TrayCall& again = calls[static_cast<size_t>(added)];
        const double after = QpcMs(again.qpc - was.qpc);
        EXPECT_GE(after, c.after_min_ms);
        EXPECT_LE(after, c.after_max_ms);
        EXPECT_TRUE(again.taken);
        EXPECT_EQ(again.window, was.window);
        EXPECT_EQ(again.id, 0u);
        EXPECT_EQ(again.flags, 7u);
        EXPECT_EQ(again.callback, 512u);
        EXPECT_EQ(again.tip, c.tip ? c.tip : was.tip);
        EXPECT_NE(again.icon, 0u);
        // It lives on: the rate displays change it.
        const auto shown = [](const TrayCall& call) { return IsRateTip(call) && call.taken; };
        EXPECT_GE(app.WaitTray(static_cast<size_t>(added) + 1, shown), 0);
    }
}

TEST(App, QuitFromThePopupRemovesTheIconStopsTheTimerAndLetsGoOfHeldKeys) {
    AppSession app(Ini({"[Padwright Standard]", "Repeat=0", "[KeySettei]", "Button1=65"}));
    app.Start();
    app.winmm().set(Held(0, 1));
    ASSERT_TRUE(app.keys().wait_count(1, seconds(5)));

    uint32_t exit_code = 1;
    ASSERT_TRUE(app.Quit(&exit_code));
    EXPECT_EQ(exit_code, 0u);

    const TrayCall last = app.tray().calls().back();
    EXPECT_EQ(last.message, NIM_DELETE);
    EXPECT_EQ(last.id, 0u);
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(last.window))), app.window());
    const auto set = app.winmm().calls(standin::Call::SetEvent);
    const auto kill = app.winmm().calls(standin::Call::KillEvent);
    const auto end = app.winmm().calls(standin::Call::EndPeriod);
    ASSERT_EQ(kill.size(), 1u);
    ASSERT_EQ(end.size(), 1u);
    EXPECT_EQ(kill[0].args[0], set[0].result);
    EXPECT_EQ(end[0].args[0], 25u);
    EXPECT_LT(last.qpc, kill[0].qpc);
    EXPECT_LT(kill[0].qpc, end[0].qpc);

    const auto keys = app.keys().keys();
    EXPECT_EQ(KeyText(keys), "+65 -65");
    EXPECT_GT(keys.back().qpc, kill[0].qpc);
}

// A template chosen while a button is held: the key that went down comes up with its own code,
// and the new map's key goes down.
// What one control sends on the real program: a combination in order and in reverse; the shift
// button giving its slot's keys and sending nothing itself; and with the options off, the same file
// sends single codes as always.
TEST(App, CombinationsAndTheShiftButtonOnlyWhenSetOn) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::vector<standin::JoyStep> script;
        const char* keys;
    };
    const std::vector<std::string> maps = {"[KeySettei]", "Button1=83", "Button1Keys=17+16+83", "Button2=66",
                                           "[KeySetteiTemp3]", "Button1=90", "Button2Keys=17+66"};
    const std::vector<Case> cases = {
        {"a combination", {"Combos=1"}, {Held(6, 1), Idle(0)}, "+17 +16 +83 -83 -16 -17"},
        {"the options off", {}, {Held(6, 1), Held(6, 2), Idle(0)}, "+83 -83 +66 -66"},
        {"the shift", {"ShiftButton=2", "ShiftTemplate=3"}, {Held(6, 2), Held(6, 3), Held(6, 2), Held(6, 1), Idle(0)},
         "+90 -90 +83 -83"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> ini = {"[Padwright Standard]", "Repeat=0", "Keyup=0"};
        ini.insert(ini.end(), c.options.begin(), c.options.end());
        ini.insert(ini.end(), maps.begin(), maps.end());
        AppSession app(Ini(ini));
        app.Start();
        const size_t before = app.keys().count();
        app.winmm().script(c.script);
        const std::string text = c.keys;
        ASSERT_TRUE(app.keys().wait_count(before + static_cast<size_t>(std::count(text.begin(), text.end(), ' ')) + 1,
                                          seconds(5)));
        std::this_thread::sleep_for(milliseconds(300));
        EXPECT_EQ(KeyText(app.keys().keys(before)), c.keys);
    }
}

TEST(App, ATemplateChosenWhileAButtonIsHeldReleasesTheKeyThatWentDown) {
    AppSession app(Ini({"[Padwright Standard]", "Repeat=0", "[KeySettei]", "Button1=65", "[KeySetteiTemp2]",
                        "Button1=66"}));
    app.Start();
    app.winmm().set(Held(0, 1));
    ASSERT_TRUE(app.keys().wait_count(1, seconds(5)));
    ASSERT_TRUE(app.ChooseTemplate(2));
    ASSERT_TRUE(app.keys().wait_count(3, seconds(5)));
    app.winmm().set(Idle(0));
    ASSERT_TRUE(app.keys().wait_count(4, seconds(5)));
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(KeyText(app.keys().keys()), "+65 -65 +66 -66");
}

TEST(App, TrayClicksAreIgnoredWhileADialogFromTheMenuShows) {
    AppSession app("");
    app.Start();
    app.Callback(516);
    const HWND popup = app.WaitPopup();
    ASSERT_NE(popup, nullptr);
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_DOWN}) app.MenuKey(popup, vk);  // separators are skipped
    app.MenuKey(popup, VK_RETURN);                                       // "バージョン情報"
    const HWND about = app.WaitDialog();
    ASSERT_NE(about, nullptr);
    RECT client{};
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 352);
    EXPECT_EQ(client.bottom, 150);

    // Neither a pause nor a second menu while the about window shows.
    size_t from = app.tray().count();
    app.Callback(513);
    app.Callback(516);
    std::this_thread::sleep_for(milliseconds(700));
    EXPECT_EQ(app.WaitTray(from, [](const TrayCall& c) { return c.tip == kPausedTip; }, milliseconds(0)), -1);
    EXPECT_EQ(app.WaitPopup(milliseconds(0)), nullptr);

    // A press on the left disc closes it; then the icon answers again.
    PostMessageW(about, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 75));
    PostMessageW(about, WM_LBUTTONUP, 0, MAKELPARAM(20, 75));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(about) || !IsWindowVisible(about); }, seconds(5)));
    from = app.tray().count();
    app.Callback(513);
    EXPECT_GE(app.WaitTray(from, [](const TrayCall& c) { return c.tip == kPausedTip; }), 0);
}

TEST(App, ADeviceChangeEndsTheWaitForAnUnpluggedJoystick) {
    AppSession app(Ini({"[Padwright Standard]", "Repeat=0", "[KeySettei]", "Button1=65"}));
    app.winmm().set(Unplugged(0));
    app.Start();
    // Unplugged, the joystick is asked about once a second, not at every poll.
    std::this_thread::sleep_for(milliseconds(2200));
    const uint32_t asked = app.winmm().joy_calls();
    EXPECT_LE(asked, 4u);
    // Just after a retry, the pad is plugged in and the system says so.
    ASSERT_TRUE(WaitFor([&] { return app.winmm().joy_calls() > asked; }, seconds(3)));
    app.winmm().set(Held(0, 1));
    SendNotifyMessageW(app.window(), WM_DEVICECHANGE, 7 /* DBT_DEVNODES_CHANGED */, 0);
    EXPECT_TRUE(app.keys().wait_count(1, milliseconds(400)));
    EXPECT_EQ(KeyText(app.keys().keys()), "+65");
}

// The message a second copy shows, its only window, checked and closed with its OK; the copy must
// end then and not before.
void ExpectTheRunningMessageThenClose(Process& copy) {
    std::vector<HWND> windows;
    ASSERT_TRUE(WaitFor([&] { return !(windows = VisibleWindowsOf(copy.pid())).empty(); }, seconds(20)))
        << "the second copy shows nothing";
    ASSERT_EQ(windows.size(), 1u);
    const HWND box = windows[0];
    wchar_t name[16] = {};
    GetClassNameW(box, name, 16);
    EXPECT_EQ(std::wstring(name), L"#32770");
    EXPECT_EQ(TextOf(box), "Padwright Standard");
    std::vector<std::string> texts;
    bool icon = false;
    for (HWND child : Children(box, L"STATIC")) {
        icon = icon || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (!TextOf(child).empty()) texts.push_back(TextOf(child));
    }
    EXPECT_TRUE(icon);
    EXPECT_EQ(texts, std::vector<std::string>{"Padwright Standard はすでに起動しています。画面右下の通知領域のアイコンから"
                                              "操作してください（見当たらないときは通知領域の ^ を開いてください）。"});
    // One button, OK: a box without a choice.
    ASSERT_EQ(Children(box, L"BUTTON").size(), 1u);
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    std::this_thread::sleep_for(milliseconds(300));  // polls a copy running behind the box would make
    EXPECT_TRUE(copy.running()) << "ended before the box was closed";
    SendNotifyMessageW(ok, BM_CLICK, 0, 0);
    uint32_t exit_code = 1;
    ASSERT_TRUE(copy.wait(seconds(10), &exit_code)) << "still running after its box was closed";
    EXPECT_EQ(exit_code, 0u);
}

// One copy per user session. A second start, from the same folder or a copy elsewhere, or beside a
// first copy the user may not open (one run as administrator), only says that the program runs and
// ends: no icon, no timer, no settings written, no key sent twice. Its open box does not stand for
// a running copy: after the first has quit, the next start runs.
TEST(App, ASecondStartShowsItsMessageAndEndsLeavingTheFirstAlone) {
    // Start-up writes the last exit's template back as "3": a second copy that got that far would
    // change the file.
    const std::string ini = Ini({"[Padwright Standard]", "Repeat=0", "Keyup=0", "StartTemp=2", "BefTemp=03",
                                 "[KeySetteiTemp3]", "Button1=65"});
    AppSession app(ini);
    {
        // The name as a copy running as administrator leaves it: this user may not open it.
        SECURITY_DESCRIPTOR locked{};
        ACL no_access{};
        ASSERT_TRUE(InitializeSecurityDescriptor(&locked, SECURITY_DESCRIPTOR_REVISION));
        ASSERT_TRUE(InitializeAcl(&no_access, sizeof no_access, ACL_REVISION));
        ASSERT_TRUE(SetSecurityDescriptorDacl(&locked, TRUE, &no_access, FALSE));
        SECURITY_ATTRIBUTES attributes{sizeof attributes, &locked, FALSE};
        // Closed however this block is left: the tests after this one start the program too.
        const std::unique_ptr<void, decltype(&CloseHandle)> elevated(
            CreateMutexW(&attributes, FALSE, L"Local\\PwStd.Resident"), &CloseHandle);
        ASSERT_NE(elevated, nullptr);
        Process copy = app.StartCopy();
        ExpectTheRunningMessageThenClose(copy);
        EXPECT_EQ(app.tray().count(), 0u);
        EXPECT_TRUE(app.winmm().calls().empty());
        EXPECT_EQ(app.winmm().joy_calls(), 0u);
        EXPECT_EQ(ReadFileBytes(app.ini_path()), ini);
    }

    app.Start();
    app.winmm().set(Held(0, 1));
    ASSERT_TRUE(app.keys().wait_count(1, seconds(5)));
    const std::string first_ini = ReadFileBytes(app.ini_path());
    TempDir elsewhere;
    const std::wstring copied = Stage(FromBuildPath(PWSTD_EXE_PATH), elsewhere.path(), true);
    WriteFileBytes(elsewhere.file(L"PwStd.ini"), ini);
    for (const std::wstring& exe : {app.exe(), copied}) {
        SCOPED_TRACE(Narrow(exe));
        Process copy = app.StartCopy(exe);
        ExpectTheRunningMessageThenClose(copy);
    }
    EXPECT_EQ(ReadFileBytes(app.ini_path()), first_ini);
    EXPECT_EQ(ReadFileBytes(elsewhere.file(L"PwStd.ini")), ini);
    const std::vector<TrayCall> calls = app.tray().calls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const TrayCall& c) { return c.message == NIM_ADD; }), 1);
    EXPECT_EQ(app.winmm().calls(standin::Call::SetEvent).size(), 1u);
    EXPECT_EQ(app.winmm().calls(standin::Call::BeginPeriod).size(), 1u);
    // The first polls on: one press for the held button, one release when it is let go.
    app.winmm().set(Idle(0));
    ASSERT_TRUE(app.keys().wait_count(2, seconds(5)));
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(KeyText(app.keys().keys()), "+65 -65");

    Process waiting = app.StartCopy();
    ASSERT_TRUE(WaitFor([&] { return !VisibleWindowsOf(waiting.pid()).empty(); }, seconds(20)));
    uint32_t exit_code = 1;
    ASSERT_TRUE(app.Quit(&exit_code));
    AppSession next(ini);
    EXPECT_NO_THROW(next.Start()) << "a start after the first quit found it still running";
    ExpectTheRunningMessageThenClose(waiting);
}

// Each axis control sends its key; the trigger on Z rests at 0, and its low end, which a stick's
// rule would see held there, sends nothing. The pad has no V: nothing comes of it.
// The mouse from the pad. With no pointer acceleration in the prefix ("MouseSpeed" 0) the hook's
// points move by exactly what the program sends.
void NoPointerAcceleration() {
    const wchar_t zero[] = L"0";
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Mouse", L"MouseSpeed", REG_SZ, zero, sizeof(zero));
}

// "move dx dy" between the hook's points, "left down", "wheel -120" ...: what the mouse did.
std::string MouseText(const std::vector<MouseEvent>& events, POINT& at) {
    std::string text;
    for (const MouseEvent& e : events) {
        std::string item;
        switch (e.message) {
            case WM_MOUSEMOVE:
                item = "move " + std::to_string(e.x - at.x) + " " + std::to_string(e.y - at.y);
                at = {e.x, e.y};
                break;
            case WM_LBUTTONDOWN: item = "left down"; break;
            case WM_LBUTTONUP: item = "left up"; break;
            case WM_MOUSEWHEEL: item = "wheel " + std::to_string(e.data); break;
            case WM_MOUSEHWHEEL: item = "hwheel " + std::to_string(e.data); break;
            default: item = "message " + std::to_string(e.message); break;
        }
        if (!e.injected) item += " (not injected)";
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

TEST(App, WithTheMouseOnTheStickMovesTheCursorButtonsClickAndDragAndTheWheelNotches) {
    NoPointerAcceleration();
    AppSession app(Ini({"[Padwright Standard]", "Mouse=1", "Wait=25", "Repeat=1", "Keyup=1", "[KeySettei]",
                        "MouseStick=1", "Button1=1", "Button2=152"}));
    app.Start();
    SetCursorPos(300, 300);
    POINT at{300, 300};
    std::this_thread::sleep_for(milliseconds(100));
    const size_t before = app.keys().count();
    // Four polls to the right, two of them dragging with the left button; then the wheel held for
    // nine polls: notches at the first, the fifth and the ninth.
    app.winmm().script({Held(2, 0, 65535, 32768), Held(2, 1, 65535, 32768), Idle(3), Held(9, 2), Idle(0)});
    ASSERT_TRUE(app.keys().wait_count(before + 9, seconds(5)));
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(MouseText(app.keys().mice(before), at),
              "move 19 0, move 20 0, move 20 0, left down, move 20 0, left up, wheel -120, wheel -120, wheel -120");
    EXPECT_EQ(KeyText(app.keys().keys(before)), "") << "no key, whatever Repeat and Keyup say";

    // A pause stops everything and lets go of the button.
    const size_t held = app.keys().count();
    app.winmm().script({Held(1, 1, 65535, 32768), Held(0, 1, 32768, 65535)});
    ASSERT_TRUE(app.keys().wait_count(held + 2, seconds(5)));
    app.Callback(513);
    std::this_thread::sleep_for(milliseconds(400));
    const std::string paused = MouseText(app.keys().mice(held), at);
    EXPECT_EQ(paused.substr(0, 21), "move 19 0, left down,") << paused;
    EXPECT_EQ(paused.substr(paused.size() - 7), "left up") << paused;
    const size_t after = app.keys().count();
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(app.keys().count(), after) << "nothing while paused";
}

// With the mouse off, the mouse codes are keys as before and the key map's stick is ignored.
TEST(App, WithTheMouseOffTheMouseCodesAreKeysAndTheStickIsIgnored) {
    AppSession app(Ini({"[Padwright Standard]", "Repeat=0", "Keyup=0", "[KeySettei]", "MouseStick=1", "Button1=1",
                        "Button2=151"}));
    app.Start();
    const size_t before = app.keys().count();
    app.winmm().script({Held(4, 3, 65535, 32768), Idle(0)});
    ASSERT_TRUE(app.keys().wait_count(before + 6, seconds(5)));
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(KeyText(app.keys().keys(before)), "+39 +1 +151 -39 -1 -151");
    EXPECT_TRUE(app.keys().mice(before).empty());
}

TEST(App, AllAxesDrivesTheAxisKeysAndATriggerAtRestSendsNothing) {
    AppSession app(Ini({"[Padwright Standard]", "AllAxes=1", "Repeat=0", "Keyup=0", "[KeySettei]", "Axis1=65",
                        "Axis2=66", "Axis3=67", "Axis4=68", "Axis5=69", "Axis6=70", "Axis7=71", "Axis8=72"}));
    app.winmm().expect_calls(0xBF, false);
    app.winmm().set_caps(5, 0x7);  // Z, R, U
    standin::JoyStep rest = Idle(30);  // the first readings: the rests
    rest.z = 0;
    rest.v = 0;
    standin::JoyStep pulled = Idle(6);
    pulled.z = 65535;
    pulled.r = 0;
    pulled.u = 65535;
    pulled.v = 65535;
    app.winmm().script({rest, pulled, rest});
    app.Start();
    EXPECT_TRUE(app.keys().wait_count(6, seconds(5)));
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(KeyText(app.keys().keys()), "+66 +67 +70 -66 -67 -70");
    EXPECT_EQ(app.winmm().joy_bad(), 0u);
    EXPECT_GE(app.winmm().caps_calls(), 1u);
}

// Another device comes or goes (a broadcast) while a trigger is held: the trigger keeps its rest,
// so letting it go lets its key up and holds nothing at its other end.
TEST(App, ADeviceBroadcastWhileATriggerIsHeldLeavesNoKeyDown) {
    AppSession app(Ini({"[Padwright Standard]", "AllAxes=1", "Repeat=0", "Keyup=0", "[KeySettei]", "Axis1=65",
                        "Axis2=66"}));
    app.winmm().expect_calls(0xBF, false);
    app.winmm().set_caps(3, 0x1);  // Z
    standin::JoyStep rest = Idle(30);
    rest.z = 0;
    standin::JoyStep pulled = Idle(80);  // two seconds
    pulled.z = 65535;
    standin::JoyStep released = Idle(0);
    released.z = 0;
    app.winmm().script({rest, pulled, released});
    app.Start();
    ASSERT_TRUE(app.keys().wait_count(1, seconds(5)));
    SendNotifyMessageW(app.window(), WM_DEVICECHANGE, 7 /* DBT_DEVNODES_CHANGED */, 0);
    std::this_thread::sleep_for(milliseconds(2500));  // past the let-go
    EXPECT_EQ(KeyText(app.keys().keys()), "+66 -66");
}

// An XInput pad in place of joystick 1: the left stick, A, the right trigger as button 12 and the
// right stick's R; a pad that disconnects lets go of everything.
TEST(App, XInputReadsTheFirstConnectedPad) {
    AppSession app(Ini({"[Padwright Standard]", "XInput=1", "AllAxes=1", "Buttons=12", "Repeat=0", "Keyup=0",
                        "[KeySettei]", "Button1=65", "Button11=75", "Button12=76", "Axis3=82"}));
    app.winmm().set_xinput(2);
    app.Start();
    ASSERT_TRUE(WaitFor([&] { return app.winmm().xinput_calls() >= 8; }, seconds(5)));
    const uint32_t joystick_calls = app.winmm().joy_calls();
    app.winmm().set_xinput(2, 0x1000 /* A */, 0, 255, -32768, 0, 0, 32767);
    EXPECT_TRUE(app.keys().wait_count(4, seconds(5)));
    app.winmm().set_xinput(-1);
    EXPECT_TRUE(app.keys().wait_count(8, seconds(5)));
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(KeyText(app.keys().keys()), "+37 +65 +76 +82 -37 -65 -76 -82");
    EXPECT_LE(app.winmm().joy_calls(), joystick_calls + 2) << "the joystick service is left alone meanwhile";
}

struct EndCase {
    const char* name;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    bool ends;  // the program ends by itself
};

// Every way out lets go of what the pad holds, stops the timer once and removes the icon; nothing
// is sent afterwards, not even by a tick that was under way when the timer was killed (the
// stand-in runs one late tick after the kill unless the timer was started to be killed
// synchronously).
TEST(App, TheSessionsEndAndACloseFromOutsideLetGoOfKeysStopTheTimerAndRemoveTheIcon) {
    const EndCase cases[] = {
        {"the session ends", WM_ENDSESSION, TRUE, 0, false},
        {"a restart manager asks it to close", WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, true},
        {"closed from outside", WM_CLOSE, 0, 0, true},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        AppSession app(Ini({"[Padwright Standard]", "Repeat=0", "[KeySettei]", "Button1=65"}));
        app.Start();
        app.winmm().set(Held(0, 1));
        ASSERT_TRUE(app.keys().wait_count(1, seconds(5)));

        DWORD_PTR answer = 0;
        if (c.message == WM_ENDSESSION) {
            SendMessageTimeoutW(app.window(), WM_QUERYENDSESSION, 0, c.lparam, SMTO_BLOCK, 5000, &answer);
            EXPECT_EQ(answer, TRUE);
            SendMessageTimeoutW(app.window(), c.message, c.wparam, c.lparam, SMTO_BLOCK, 5000, &answer);
        } else {
            PostMessageW(app.window(), c.message, c.wparam, c.lparam);
        }
        uint32_t exit_code = 1;
        if (c.ends) {
            ASSERT_TRUE(app.process().wait(seconds(10), &exit_code));
            EXPECT_EQ(exit_code, 0u);
        } else {
            std::this_thread::sleep_for(milliseconds(500));  // the late tick would have come
            EXPECT_FALSE(app.process().wait(milliseconds(0), &exit_code)) << "the system ends it";
        }
        EXPECT_EQ(app.winmm().calls(standin::Call::KillEvent).size(), 1u);
        EXPECT_EQ(app.winmm().calls(standin::Call::EndPeriod).size(), 1u);
        EXPECT_EQ(KeyText(app.keys().keys()), "+65 -65");
        EXPECT_EQ(app.tray().calls().back().message, NIM_DELETE);
    }
}

}  // namespace
}  // namespace pwstd::wintest
