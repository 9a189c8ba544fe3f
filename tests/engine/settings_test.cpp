#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/bindings/key_map_file.h"
#include "engine/program_names.h"
#include "engine/settings.h"
#include "engine/shared_state.h"
#include "tests/support/fakes.h"
#include "tests/support/temp_ini.h"

namespace pwstd {
namespace {

using testing::TempIni;

TEST(SettingsFile, NoFileGivesEveryDefault) {
    TempIni ini;
    SettingsFile file(ini.profile, ini.path);
    EXPECT_EQ(file.Kando(), 16384);
    EXPECT_EQ(file.Wait(), 25);
    EXPECT_EQ(file.Buttons(), 4);
    EXPECT_EQ(file.Repeat(), 1);
    EXPECT_EQ(file.Keyup(), 1);
    EXPECT_EQ(file.StartTemp(), 0);
    EXPECT_EQ(file.BefTemp(), 0);
    EXPECT_EQ(file.PovStick(), 0);
    EXPECT_EQ(file.AnyJoystick(), 0);
    EXPECT_EQ(file.ScanCodes(), 0);
    EXPECT_EQ(file.AppSwitch(), 0);
    EXPECT_EQ(file.TemplateButton(), 0);
    EXPECT_EQ(file.Mouse(), 0);
    EXPECT_EQ(file.MouseSpeed(), 800);
    EXPECT_EQ(file.MouseDeadZone(), 15);
    EXPECT_EQ(file.MouseCurve(), 2);
    EXPECT_EQ(file.WheelRate(), 10);
    EXPECT_EQ(file.ShiftTemplate(), 1);
    EXPECT_EQ(file.TemplateName(1), "テンプレート１");
    EXPECT_EQ(file.TemplateName(10), "テンプレート１０");
    const std::vector<int> controls = SlotControls(2, true);
    const int expected[] = {38, 40, 37, 39, 32, 32, 0, 0, 0, 0, 0, 0, 0, 0};
    for (size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(ReadKeyCode(file, 0, controls[i]), expected[i]);
    EXPECT_EQ(ReadKeyCode(file, 7, ButtonControl(30)), 32);
}

struct KeyCase {
    std::string key, value;
    int32_t expected;
};

TEST(SettingsFile, EachGeneralKeyHasItsRangeRule) {
    const std::vector<KeyCase> cases = {
        {"Kando", "7FFF", 32767}, {"Kando", "8000", 0},      {"Kando", "10000", 32767},
        {"Kando", "0x10", 0},     {"Kando", "", 0},          {"Wait", "", 1},
        {"Wait", "0", 1},         {"Wait", "1000", 200},     {"Wait", "2.5", 2},
        {"Wait", "25.5", 26},     {"Wait", "x", 1},          {"Buttons", "31", 30},
        {"Buttons", "0", 1},      {"Repeat", "2", 1},        {"Repeat", "-1", 1},
        {"Repeat", "abc", 0},     {"Repeat", "0", 0},        {"Repeat", "99999999999", 1},
        {"Keyup", "0.4", 0},      {"Keyup", "0.6", 1},       {"StartTemp", "3", 0},
        {"StartTemp", "2", 2},    {"StartTemp", "-1", 0},    {"StartTemp", "1e9", 1},
        {"BefTemp", "11", 0},     {"BefTemp", "10", 10},     {"BefTemp", "99999999999", 0},
        {"PovStick", "1", 1},     {"PovStick", "7", 1},      {"PovStick", "0", 0},
        {"PovStick", "", 0},      {"AnyJoystick", "1", 1},   {"AnyJoystick", "-2", 1},
        {"AnyJoystick", "no", 0}, {"ScanCodes", "1", 1},     {"ScanCodes", "0.6", 1},
        {"ScanCodes", "0", 0},    {"AppSwitch", "2", 1},     {"AppSwitch", "", 0},
        {"TemplateButton", "30", 30}, {"TemplateButton", "31", 0}, {"TemplateButton", "-1", 0},
        {"TemplateButton", "4.5", 4}, {"TemplateButton", "x", 0},
                                    {"AllAxes", "1", 1},       {"AllAxes", "0", 0},
        {"XInput", "3", 1},         {"XInput", "x", 0},
        {"Mouse", "", 0},           {"Mouse", "2", 1},         {"MouseSpeed", "", 50},
        {"MouseSpeed", "x", 50},    {"MouseSpeed", "9999", 5000}, {"MouseSpeed", "800.5", 800},
        {"MouseDeadZone", "-3", 0}, {"MouseDeadZone", "91", 90}, {"MouseCurve", "0", 1},
        {"MouseCurve", "2.5", 2},   {"MouseCurve", "4", 3},    {"WheelRate", "0", 1},
        {"WheelRate", "51", 50},    {"Combos", "5", 1},        {"ShiftButton", "30", 30},
        {"ShiftButton", "31", 0},   {"ShiftTemplate", "0", 0}, {"ShiftTemplate", "10", 10},
        {"ShiftTemplate", "11", 1}, {"ShiftTemplate", "-1", 1}, {"ShiftTemplate", "", 0},
    };
    for (const KeyCase& c : cases) {
        TempIni ini;
        ini.Write("[padwright standard]\r\n" + c.key + "=" + c.value + "\r\n");
        SettingsFile file(ini.profile, ini.path);
        const int32_t got = c.key == "Kando"       ? file.Kando()
                            : c.key == "Wait"      ? file.Wait()
                            : c.key == "Buttons"   ? file.Buttons()
                            : c.key == "Repeat"    ? file.Repeat()
                            : c.key == "Keyup"     ? file.Keyup()
                            : c.key == "StartTemp" ? file.StartTemp()
                            : c.key == "PovStick"  ? file.PovStick()
                            : c.key == "AnyJoystick" ? file.AnyJoystick()
                            : c.key == "ScanCodes" ? file.ScanCodes()
                            : c.key == "AppSwitch" ? file.AppSwitch()
                            : c.key == "TemplateButton" ? file.TemplateButton()
                            : c.key == "AllAxes"   ? file.AllAxes()
                            : c.key == "XInput"    ? file.XInput()
                            : c.key == "Mouse"     ? file.Mouse()
                            : c.key == "MouseSpeed" ? file.MouseSpeed()
                            : c.key == "MouseDeadZone" ? file.MouseDeadZone()
                            : c.key == "MouseCurve" ? file.MouseCurve()
                            : c.key == "WheelRate" ? file.WheelRate()
                            : c.key == "Combos"    ? file.Combos()
                            : c.key == "ShiftButton" ? file.ShiftButton()
                            : c.key == "ShiftTemplate" ? file.ShiftTemplate()
                                                   : file.BefTemp();
        EXPECT_EQ(got, c.expected) << c.key << "=" << c.value;
    }
}

// A program's slot: its key in any case, a value within 0..10, read as every number is.
TEST(SettingsFile, AppTemplateEntries) {
    TempIni ini;
    ini.Write("[AppTemplates]\r\nGame.EXE=3\r\nempty.exe=\r\nhalf.exe=2.5\r\nhigh.exe=11\r\n"
              "low.exe=-1\r\ntext.exe=abc\r\nten.exe= 10 \r\n");
    SettingsFile file(ini.profile, ini.path);
    const std::vector<std::pair<std::string, std::optional<int16_t>>> rows = {
        {"game.exe", 3}, {"empty.exe", 0}, {"half.exe", 2},           {"high.exe", std::nullopt},
        {"low.exe", std::nullopt}, {"text.exe", 0}, {"ten.exe", 10}, {"missing.exe", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [program, slot] : rows) EXPECT_EQ(file.AppTemplate(program), slot) << program;
}

// Program names in any script: a name the code page holds keeps its text (the file its bytes),
// each other character is escaped; every key gives its name back, and no two names share an entry
// of the service, which compares keys without regard to case.
TEST(SettingsFile, ProgramKeysInAnyScript) {
    const testing::FakeCodePage japanese("ゲーム"), western("éÉ");
    struct Row {
        std::string name;
        const AnsiCodePage& ansi;
        std::string key;
    };
    const std::vector<Row> rows = {
        {"Game.exe", japanese, "Game.exe"},
        {"ゲーム.exe", japanese, "ゲーム.exe"},
        {"게임.exe", japanese, "<AC8C><C784>.exe"},
        {"ゲーム게임.exe", japanese, "ゲーム<AC8C><C784>.exe"},
        {"Café.exe", western, "Café.exe"},
        {"café.exe", japanese, "caf<E9>.exe"},
        {"CAFÉ.EXE", japanese, "CAF<C9>.EXE"},
        {"Игра.exe", western, "<418><433><440><430>.exe"},
        {"🎮Pad.exe", japanese, "<1F3AE>Pad.exe"},
        {"a<b>.exe", western, "a<3C>b<3E>.exe"},
    };
    TempIni ini;
    SettingsFile file(ini.profile, ini.path);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(ProgramKey(rows[i].name, rows[i].ansi), rows[i].key) << rows[i].name;
        EXPECT_EQ(ProgramFromKey(rows[i].key), rows[i].name);
        file.Write(kAppTemplatesSection, rows[i].key, DecimalText(static_cast<int32_t>(i)));
    }
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(file.AppTemplate(rows[i].key), static_cast<int16_t>(i)) << rows[i].key;

    const std::vector<std::pair<std::string, std::optional<std::string>>> stored = {
        {"<ac8c><c784>.EXE", "게임.EXE"},  // the service takes it for "<AC8C><C784>.exe"
        {"??.exe", "??.exe"},              // what an earlier write made of a name: a name like any
        {"<41>.exe", std::nullopt},       {"<0E9>.exe", std::nullopt}, {"<D83C>.exe", std::nullopt},
        {"<110000>.exe", std::nullopt},   {"<1000000>", std::nullopt}, {"<>.exe", std::nullopt},
        {"<E9.exe", std::nullopt},        {"E9>.exe", std::nullopt},   {"<E 9>.exe", std::nullopt},
    };
    for (const auto& [key, name] : stored) EXPECT_EQ(ProgramFromKey(key), name) << key;
}

TEST(SettingsFile, KeyCodesAndNames) {
    TempIni ini;
    const std::string long_name(120, 'a');
    std::string accented;  // two bytes a character: 120 of them fit the 254 bytes a value keeps
    for (int i = 0; i < 120; ++i) accented += "é";
    ini.Write("[KeySetteiTemp3]\r\nTempName=" + long_name + "\r\nCursor1=0\r\nButton5=300\r\nButton1=38.5\r\n"
              "Axis1=0\r\nAxis2=-4\r\nAxis3=300\r\nAxis4=\r\nAxis5=0.4\r\nAxis8=90\r\n"
              "Button2=39.5\r\nButton4=\r\n[KeySetteiTemp4]\r\nTempName=" + accented +
              "\r\n[KeySetteiTemp5]\r\nTempName=\r\n");
    SettingsFile file(ini.profile, ini.path);
    EXPECT_EQ(ReadKeyCode(file, 3, kControlUp), 1);
    EXPECT_EQ(ReadKeyCode(file, 3, ButtonControl(5)), 255);
    EXPECT_EQ(ReadKeyCode(file, 3, ButtonControl(1)), 38);
    EXPECT_EQ(ReadKeyCode(file, 3, ButtonControl(2)), 40);
    EXPECT_EQ(ReadKeyCode(file, 3, ButtonControl(3)), 32) << "a key missing from an existing section takes its default";
    EXPECT_EQ(ReadKeyCode(file, 3, ButtonControl(4)), 1) << "an empty value reads as 0, not as the default";
    // Axis keys: missing or 0 sends nothing, anything else is a key code.
    const int32_t axis_codes[kAxisControls] = {0, 1, 255, 0, 0, 0, 0, 90};
    for (int a = 0; a < kAxisControls; ++a) {
        EXPECT_EQ(ControlKey(AxisControl(a)), "Axis" + std::to_string(a + 1));
        EXPECT_EQ(ReadKeyCode(file, 3, AxisControl(a)), axis_codes[a]) << "Axis" << a + 1;
    }
    EXPECT_EQ(file.TemplateName(3), std::string(100, 'a'));
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += "é";
    EXPECT_EQ(file.TemplateName(4), hundred) << "cut by characters, never inside one";
    EXPECT_EQ(file.TemplateName(5), "");
}

// A "Keys" value applies only with combinations on, as 2..4 whole numbers 1..255 whose last is
// the entry's own code; anything else leaves the code alone. Written back as read.
TEST(SettingsFile, CombinationsAsTheKeysKeysHoldThem) {
    struct Row {
        const char* code;
        const char* keys;
        const char* read;  // KeysText of what applies
    };
    const std::vector<Row> rows = {
        {"83", "17+16+83", "17+16+83"},   {"83", " 17 +\t16+ 83 ", "17+16+83"}, {"83", "17+83", "17+83"},
        {"83", "17+16+18+83", "17+16+18+83"}, {"83", "17+16+18+91+83", "83"}, {"83", "83", "83"},
        {"83", "17+16+84", "83"},  {"83", "17+0+83", "83"},   {"83", "17+256+83", "83"}, {"83", "17+-16+83", "83"},
        {"83", "17+16.0+83", "83"}, {"83", "17++83", "83"},   {"83", "17+83+", "83"},    {"83", "+17+83", "83"},
        {"83", "17+16+83x", "83"},  {"83", "", "83"},         {"83", "0017+083", "17+83"}, {"83", "17+99999+83", "83"},
        {"83.4", "17+83", "17+83"}, {"300", "17+255", "17+255"},
    };
    for (const Row& row : rows) {
        TempIni ini;
        ini.Write(std::string("[KeySetteiTemp2]\r\nButton5=") + row.code + "\r\nButton5Keys=" + row.keys + "\r\n");
        SettingsFile file(ini.profile, ini.path);
        const int control = ButtonControl(5);
        EXPECT_EQ(KeysText(ReadAction(file, 2, control, true)), row.read) << row.keys;
        EXPECT_EQ(ReadAction(file, 2, control, false), Action::Key(ReadKeyCode(file, 2, control))) << "off: " << row.keys;
        const BindingTable table = ReadSlot(file, 2, 5, false, BindingTable{}, true);
        EXPECT_EQ(table[control], ReadAction(file, 2, control, true));
    }
    TempIni ini;
    ini.Write("[KeySettei]\r\nButton1=83\r\nButton1Keys=17+83\r\nButton2=65\r\n");
    SettingsFile file(ini.profile, ini.path);
    const std::string before = ini.Contents();
    WriteAction(file, 0, ButtonControl(2), Action::Key(65));
    EXPECT_EQ(ini.Contents(), before) << "no Keys key to remove: the file keeps its bytes";
    const uint8_t undo[] = {17, 90};
    WriteAction(file, 0, ButtonControl(2), Action::Combination(undo, 2));
    WriteAction(file, 0, ButtonControl(1), Action::Key(66));
    EXPECT_EQ(ini.Contents(), "[KeySettei]\r\nButton1=66\r\nButton2=90\r\nButton2Keys=17+90\r\n");
}

TEST(SettingsFile, HelpersNeverThrow) {
    struct Throwing final : Profile {
        std::string get(const std::string&, const std::string&, const std::string&, const std::string&) override {
            throw std::runtime_error("broken");
        }
        int32_t put(const std::string&, const std::string&, const std::string&, const std::string&) override {
            throw std::runtime_error("broken");
        }
        int32_t remove(const std::string&, const std::string&, const std::string&) override {
            throw std::runtime_error("broken");
        }
    } broken;
    EXPECT_EQ(SettingsFile(broken, "f").Remove("s", "k"), 0);
    EXPECT_EQ(ReadIni(broken, "s", "k", "d", "f"), "51");
    EXPECT_EQ(WriteIni(broken, "s", "k", "v", "f"), 0) << "a failed write never reads as written";
    std::string path = "f";
    SettingsFile file(broken, path);
    EXPECT_EQ(file.Wait(), 51);
    EXPECT_EQ(file.Kando(), 81);
}

}  // namespace
}  // namespace pwstd
