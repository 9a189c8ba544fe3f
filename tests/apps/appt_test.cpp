// The programs' templates dialog against a settings file kept in memory and a scripted desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "dialogs/apps/appt.h"
#include "tests/tray/tray_rig.h"

namespace pwstd::test {
namespace {

// Keys in file order with the case they were written in; names compare without regard to case.
class SectionProfile final : public Profile, public ProfileSection {
public:
    std::vector<std::tuple<std::string, std::string, std::string>> lines;  // section, key, value

    std::string get(const std::string& section, const std::string& key, const std::string& def,
                    const std::string&) override {
        auto it = Find(section, key);
        return it == lines.end() ? def : std::get<2>(*it);
    }
    int32_t put(const std::string& section, const std::string& key, const std::string& value,
                const std::string&) override {
        auto it = Find(section, key);
        if (it == lines.end()) lines.emplace_back(section, key, value);
        else std::get<2>(*it) = value;
        return 1;
    }
    std::vector<std::string> keys(const std::string& section, const std::string&) override {
        std::vector<std::string> names;
        for (const auto& [s, k, v] : lines)
            if (SameProgram(s, section)) names.push_back(k);
        return names;
    }
    int32_t remove(const std::string& section, const std::string& key, const std::string&) override {
        auto it = Find(section, key);
        if (it == lines.end()) return 0;
        lines.erase(it);
        return 1;
    }

private:
    auto Find(const std::string& section, const std::string& key) -> decltype(lines.begin()) {
        return std::find_if(lines.begin(), lines.end(), [&](const auto& line) {
            return SameProgram(std::get<0>(line), section) && SameProgram(std::get<1>(line), key);
        });
    }
};

class AppTDialog : public ::testing::Test {
protected:
    AppTDialog() {
        state.IniPath = "C:\\Tools\\PwStd.ini";
        auto& items = menu.Add("mnuTempL1", "テンプレート");
        for (int i = 0; i <= kTemplateCount; ++i) items.Add("mnuTemp", i == 0 ? "カスタム" : "T" + std::to_string(i), i);
        templates.Switch(5, false);
        profile.lines = {{"AppTemplates", "game.EXE", "3"}, {"AppTemplates", "zed.exe", "0"},
                         {"AppTemplates", "bad.exe", "12"}, {"AppTemplates", "<AC8C><C784>.exe", "1"},
                         {"KeySettei", "notepad.exe", "1"}};
        foreground.visible = {{"notepad.exe", false}, {"PwStd.exe", true},   {"explorer.exe", true},
                              {"SearchHost.exe", false}, {"Game.exe", false}, {"notepad.exe", false},
                              {"", false}, {"게임.exe", false}, {"Café.exe", false}};
        dialog.Load();
    }
    forms::Control& C(const std::string& name, int index = -1) { return dialog.Find(name, index); }
    bool ButtonsEnabled() { return C("Command1", 0).Enabled() && C("Command1", 1).Enabled(); }
    void Select(const std::string& line) {
        const auto& list = C("List1").List();
        const auto it = std::find(list.begin(), list.end(), line);
        ASSERT_NE(it, list.end()) << line;
        C("List1").UserSelect(static_cast<int32_t>(it - list.begin()));
    }

    SharedState state;
    SectionProfile profile;
    FakeForeground foreground;
    forms::MenuItem menu{"mnuPop", "Popup"};
    Options options;
    LiveBindings bindings;
    TemplateSwitcher templates{state, options, profile, bindings};
    testing::FakeCodePage japanese{"ゲーム"};
    AppT dialog{state, profile, profile, foreground, japanese, menu, templates};
};

// Windows and entries, each program once whatever its case and named as the user knows it, ours
// and the shell's left out, sorted; the buttons write the file at once and the list follows.
TEST_F(AppTDialog, ListsProgramsAssignsTheTemplateInForceAndRemovesEntries) {
    EXPECT_EQ(C("List1").List(), (std::vector<std::string>{"bad.exe\t－", "Café.exe\t－", "game.EXE\tT3",
                                                           "notepad.exe\t－", "zed.exe\tカスタム", "게임.exe\tT1"}));
    EXPECT_FALSE(C("Command1", 0).Enabled() || C("Command1", 1).Enabled());
    Select("notepad.exe\t－");
    EXPECT_TRUE(ButtonsEnabled());
    C("Command1", 0).UserClick();
    EXPECT_EQ(profile.get("AppTemplates", "NOTEPAD.EXE", "", ""), "5");
    EXPECT_EQ(C("List1").List()[3], "notepad.exe\tT5");
    EXPECT_EQ(C("List1").Value(), 3) << "the program stays selected";

    Select("game.EXE\tT3");
    C("Command1", 1).UserClick();
    EXPECT_EQ(profile.keys("AppTemplates", ""),
              (std::vector<std::string>{"zed.exe", "bad.exe", "<AC8C><C784>.exe", "notepad.exe"}));
    EXPECT_EQ(C("List1").List()[2], "Game.exe\t－") << "its window keeps it listed";

    Select("bad.exe\t－");
    C("Command1", 1).UserClick();
    EXPECT_EQ(C("List1").List(), (std::vector<std::string>{"Café.exe\t－", "Game.exe\t－", "notepad.exe\tT5",
                                                           "zed.exe\tカスタム", "게임.exe\tT1"}));
    EXPECT_EQ(C("List1").Value(), -1);
    EXPECT_FALSE(ButtonsEnabled());

    // Names outside the code page go to the file escaped and come back as they are.
    Select("Café.exe\t－");
    C("Command1", 0).UserClick();
    EXPECT_EQ(profile.get("AppTemplates", "Caf<E9>.exe", "", ""), "5");
    Select("게임.exe\tT1");
    C("Command1", 1).UserClick();
    EXPECT_EQ(profile.keys("AppTemplates", ""), (std::vector<std::string>{"zed.exe", "notepad.exe", "Caf<E9>.exe"}));
    EXPECT_EQ(C("List1").List(), (std::vector<std::string>{"Café.exe\tT5", "Game.exe\t－", "notepad.exe\tT5",
                                                           "zed.exe\tカスタム", "게임.exe\t－"}));
    EXPECT_EQ(profile.get("KeySettei", "notepad.exe", "", ""), "1") << "other sections untouched";

    C("Command1", 2).UserClick();
    EXPECT_FALSE(dialog.Loaded());
}

}  // namespace
}  // namespace pwstd::test
