#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "tests/tray/tray_rig.h"

namespace pwstd::test {
namespace {

constexpr const char* kGeneral = "Padwright Standard";

TEST(StartUp, WithoutAFileEverythingTakesItsDefault) {
    TrayRig rig;
    rig.form.Form_Load();
    const SharedState& s = rig.state;
    EXPECT_EQ(s.IniPath, "C:\\Tools\\PwStd.ini");
    EXPECT_EQ(rig.profile.file_seen, s.IniPath);
    EXPECT_EQ(s.PadActive, True);
    EXPECT_EQ(s.IconFrame, 1);
    EXPECT_EQ(s.Kando, 16384);
    EXPECT_EQ(s.Wait, 25);
    EXPECT_EQ(s.Buttons, 4);
    EXPECT_EQ(s.Repeat, 1);
    EXPECT_EQ(s.Keyup, 1);
    EXPECT_EQ(s.StartTemp, 0);
    EXPECT_FALSE(rig.form.options().pov_stick);
    EXPECT_FALSE(rig.form.options().any_joystick);
    EXPECT_FALSE(rig.form.options().scan_codes);
    EXPECT_EQ(s.TimerId, 77);
    EXPECT_EQ((std::vector<int32_t>{rig.Dir(0), rig.Dir(1), rig.Dir(2), rig.Dir(3)}),
              (std::vector<int32_t>{38, 40, 37, 39}));
    for (int j = 1; j <= 4; ++j) EXPECT_EQ(rig.Button(j), 32) << j;
    EXPECT_EQ(rig.Button(5), 0);
    EXPECT_EQ(s.TemplateNames[1], "テンプレート１");
    EXPECT_EQ(s.TemplateNames[10], "テンプレート１０");
    EXPECT_EQ(rig.Item("mnuTemp", 10).Caption(), "テンプレート１０");
    EXPECT_EQ(rig.Item("mnuTemp", 0).Caption(), "カスタム");
    EXPECT_EQ(rig.Checked(), std::vector<int>{0});
    EXPECT_EQ(rig.profile.puts, 0);
}

// Records the state the first poll would see, at the moment the timer is created.
class WatchingTimer final : public PollTimer {
public:
    WatchingTimer(PollTimer& inner, std::function<void()> at_set_event) : inner_(inner), at_set_event_(std::move(at_set_event)) {}
    void begin_period(int32_t ms) override { inner_.begin_period(ms); }
    void end_period(int32_t ms) override { inner_.end_period(ms); }
    int32_t set_event(int32_t delay, int32_t resolution) override {
        at_set_event_();
        return inner_.set_event(delay, resolution);
    }
    void kill_event(int32_t id) override { inner_.kill_event(id); }

private:
    PollTimer& inner_;
    std::function<void()> at_set_event_;
};

TEST(StartUp, RunsInOrderWithTheTimerLast) {
    TrayRig rig;
    int16_t pad_active_at_timer = 0;
    int32_t button_key_at_timer = 0;
    WatchingTimer timer(rig.timer, [&] {
        pad_active_at_timer = rig.state.PadActive;
        button_key_at_timer = rig.Button(4);
    });
    Form1 form(rig.state, rig.profile, rig.bindings, [&rig](const Options& options) -> PollCycle& { return rig.Build(options); },
               {rig.tray, timer, rig.sleeper, rig.windows, rig.shell, rig.tray_retry});
    form.Form_Load();
    Log expected = {"tray add 7 1 動作中・・・"};
    for (const char* key : {"Kando", "Wait", "Buttons", "Repeat", "Keyup", "PovStick", "AnyJoystick", "ScanCodes",
                            "AppSwitch", "TemplateButton", "AllAxes", "XInput", "Mouse", "MouseSpeed",
                            "MouseDeadZone", "MouseCurve", "WheelRate", "Combos", "ShiftButton", "ShiftTemplate"})
        expected.push_back(std::string("get ") + kGeneral + "/" + key);
    for (int n = 1; n <= 10; ++n) expected.push_back("get KeySetteiTemp" + std::to_string(n) + "/TempName");
    expected.push_back(std::string("get ") + kGeneral + "/StartTemp");
    expected.push_back(std::string("get ") + kGeneral + "/BefTemp");
    for (int i = 1; i <= 4; ++i) expected.push_back("get KeySettei/Cursor" + std::to_string(i));
    for (int j = 1; j <= 4; ++j) expected.push_back("get KeySettei/Button" + std::to_string(j));
    expected.push_back("timer begin_period 25");
    expected.push_back("timer set_event 25 5");
    EXPECT_EQ(rig.log, expected);
    EXPECT_EQ(pad_active_at_timer, True);
    EXPECT_EQ(button_key_at_timer, 32);
}

TEST(StartUp, ClampsEveryGeneralSetting) {
    using Field = int32_t (*)(const TrayRig&);
    const Field wait = [](const TrayRig& r) -> int32_t { return r.state.Wait; };
    const Field buttons = [](const TrayRig& r) -> int32_t { return r.state.Buttons; };
    const Field repeat = [](const TrayRig& r) -> int32_t { return r.state.Repeat; };
    const Field keyup = [](const TrayRig& r) -> int32_t { return r.state.Keyup; };
    const Field kando = [](const TrayRig& r) -> int32_t { return r.state.Kando; };
    const Field start_temp = [](const TrayRig& r) -> int32_t { return r.state.StartTemp; };
    const Field pov_stick = [](const TrayRig& r) -> int32_t { return r.form.options().pov_stick; };
    const Field any_joystick = [](const TrayRig& r) -> int32_t { return r.form.options().any_joystick; };
    const Field scan_codes = [](const TrayRig& r) -> int32_t { return r.form.options().scan_codes; };
    struct Row {
        const char* key;
        const char* text;
        Field field;
        int32_t expected;
    };
    const Row rows[] = {
        {"Wait", "0", wait, 1},           {"Wait", "1000", wait, 200},       {"Wait", "", wait, 1},
        {"Buttons", "0", buttons, 1},     {"Buttons", "31", buttons, 30},    {"Repeat", "2", repeat, 1},
        {"Repeat", "0", repeat, 0},       {"Repeat", "abc", repeat, 0},      {"Keyup", "-1", keyup, 1},
        {"Keyup", "0", keyup, 0},         {"Kando", "7FFF", kando, 32767},   {"Kando", "10000", kando, 32767},
        {"Kando", "4000", kando, 16384},  {"Kando", "8000", kando, 0},       {"StartTemp", "3", start_temp, 0},
        {"PovStick", "1", pov_stick, 1},  {"PovStick", "2", pov_stick, 1},   {"PovStick", "0", pov_stick, 0},
        {"PovStick", "", pov_stick, 0},   {"AnyJoystick", "-1", any_joystick, 1},
        {"AnyJoystick", "x", any_joystick, 0},                              {"ScanCodes", "1", scan_codes, 1},
        {"ScanCodes", "0.4", scan_codes, 0},
    };
    for (const Row& row : rows) {
        TrayRig rig;
        rig.profile.Set(kGeneral, row.key, row.text);
        rig.form.Form_Load();
        EXPECT_EQ(row.field(rig), row.expected) << row.key << "=" << row.text;
        if (row.field == wait) {
            EXPECT_EQ(rig.log.back(), "timer set_event " + std::to_string(row.expected) + " 5");
        }
    }
}

TEST(StartUp, TemplateNamesAreCutToHundredCharacters) {
    std::string n100, n150;
    for (int i = 0; i < 100; ++i) n100 += "あ";
    n150 = n100;
    for (int i = 0; i < 50; ++i) n150 += "い";
    TrayRig rig;
    rig.profile.Set("KeySetteiTemp1", "TempName", n150);
    rig.profile.Set("KeySetteiTemp2", "TempName", n100);
    rig.profile.Set("KeySetteiTemp3", "TempName", "");
    rig.form.Form_Load();
    EXPECT_EQ(rig.state.TemplateNames[1], n100);
    EXPECT_EQ(rig.Item("mnuTemp", 1).Caption(), n100);
    EXPECT_EQ(rig.state.TemplateNames[2], n100);
    EXPECT_EQ(rig.Item("mnuTemp", 3).Caption(), "");
    EXPECT_EQ(rig.profile.puts, 0);
}

TEST(StartUp, StartTempChoosesTheSlot) {
    struct Row {
        const char* start_temp;
        const char* bef_temp;
        int slot;
        const char* bef_temp_after;  // nullptr: not written
    };
    const Row rows[] = {
        {"0", "5", 0, nullptr}, {"1", "5", 1, nullptr}, {"2", "5", 5, "5"},
        {"2", "11", 0, "0"},    {"2", "-1", 0, "0"},    {"2", "10", 10, "10"},
    };
    for (const Row& row : rows) {
        TrayRig rig;
        rig.profile.Set(kGeneral, "StartTemp", row.start_temp);
        rig.profile.Set(kGeneral, "BefTemp", row.bef_temp);
        for (int slot = 0; slot <= 10; ++slot)
            rig.profile.Set(slot == 0 ? "KeySettei" : "KeySetteiTemp" + std::to_string(slot), "Cursor1",
                            std::to_string(100 + slot));
        rig.form.Form_Load();
        const std::string where = std::string("StartTemp ") + row.start_temp + " BefTemp " + row.bef_temp;
        EXPECT_EQ(rig.Dir(0), 100 + row.slot) << where;
        EXPECT_EQ(rig.Checked(), std::vector<int>{row.slot}) << where;
        EXPECT_EQ(rig.profile.puts, row.bef_temp_after ? 1 : 0) << where;
        EXPECT_EQ(*rig.profile.Find(kGeneral, "BefTemp"), row.bef_temp_after ? row.bef_temp_after : row.bef_temp)
            << where;
    }
}

}  // namespace
}  // namespace pwstd::test
