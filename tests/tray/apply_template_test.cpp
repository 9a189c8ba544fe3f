#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "tests/tray/tray_rig.h"

namespace pwstd::test {
namespace {

class ApplyTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        rig.form.Form_Load();
        rig.profile.puts = 0;
    }
    void Choose(int slot) { rig.Item("mnuTemp", slot).Choose(); }
    TrayRig rig;
};

TEST_F(ApplyTemplate, ANeverSavedSlotGivesArrowsAndSpace) {
    rig.SetKey(kControlUp, 1);
    rig.SetKey(ButtonControl(4), 1);
    Choose(9);
    EXPECT_EQ((std::vector<int32_t>{rig.Dir(0), rig.Dir(1), rig.Dir(2), rig.Dir(3),
                                    rig.Button(4)}),
              (std::vector<int32_t>{38, 40, 37, 39, 32}));
    EXPECT_EQ(rig.Checked(), std::vector<int>{9});
}

TEST_F(ApplyTemplate, CodesAreRoundedAndClamped) {
    struct Row {
        const char* key;
        const char* text;
        int32_t expected;
    };
    const Row rows[] = {
        {"Cursor1", "0", 1},     {"Cursor1", "300", 255}, {"Cursor1", "abc", 1},     {"Cursor4", "-5", 1},
        {"Button3", "65.5", 66}, {"Button3", "66.5", 66}, {"Button3", "99999999999", 255}, {"Button1", "", 1},
    };
    for (const Row& row : rows) {
        rig.profile.Set("KeySetteiTemp3", row.key, row.text);
        Choose(3);
        const std::string key = row.key;
        const int32_t got = key[0] == 'C' ? rig.Dir(key.back() - '1') : rig.Button(key.back() - '0');
        EXPECT_EQ(got, row.expected) << row.key << "=" << row.text;
        rig.profile.values.clear();
    }
}

TEST_F(ApplyTemplate, ButtonsAboveTheCountAreNeitherReadNorChanged) {
    for (int j = 1; j <= kMaxButtons; ++j) {
        rig.profile.Set("KeySetteiTemp2", "Button" + std::to_string(j), "70");
        rig.SetKey(ButtonControl(j), 99);
    }
    rig.log.clear();
    Choose(2);
    for (int j = 1; j <= kMaxButtons; ++j) EXPECT_EQ(rig.Button(j), j <= 4 ? 70 : 99) << j;
    EXPECT_EQ(rig.log.back(), "get KeySetteiTemp2/Button4");
}

// The axis keys are read after the last button, and only with AllAxes on.
TEST_F(ApplyTemplate, AxisKeysOnlyWithAllAxes) {
    rig.profile.Set("KeySetteiTemp2", "Axis2", "90");
    rig.profile.Set("KeySetteiTemp2", "Axis8", "0");
    rig.SetKey(AxisControl(7), 5);
    rig.log.clear();
    Choose(2);
    EXPECT_EQ(rig.Key(AxisControl(1)), 0);
    EXPECT_EQ(rig.log.back(), "get KeySetteiTemp2/Button4");
    TrayRig axes;
    axes.profile.values = rig.profile.values;
    axes.profile.Set("Padwright Standard", "AllAxes", "1");
    axes.form.Form_Load();
    axes.SetKey(AxisControl(7), 5);
    axes.Item("mnuTemp", 2).Choose();
    EXPECT_EQ(axes.log.back(), "get KeySetteiTemp2/Axis8");
    EXPECT_EQ(axes.Key(AxisControl(0)), 0) << "missing: nothing";
    EXPECT_EQ(axes.Key(AxisControl(1)), 90);
    EXPECT_EQ(axes.Key(AxisControl(7)), 0);
}

// The shift slot's table is read at start-up, with its combinations, and published beside the map
// in force; the shift button (which wins over the template button) is a shift in both. A template
// switch reads the other slot only and leaves the shift map as it was.
TEST_F(ApplyTemplate, TheShiftMapIsReadOnceAtStartUpAndNotAtASwitch) {
    const auto shift_map = [](TrayRig& r) {
        const LiveBindings::Reading reading(r.bindings);
        return reading.shifted() ? std::optional<BindingTable>(*reading.shifted()) : std::nullopt;
    };
    EXPECT_EQ(shift_map(rig), std::nullopt) << "no shift button, no shift map";
    TrayRig shift;
    for (const auto& [key, value] : {std::pair{"ShiftButton", "4"}, {"ShiftTemplate", "3"}, {"TemplateButton", "4"},
                                     {"Combos", "1"}}) {
        shift.profile.Set("Padwright Standard", key, value);
    }
    shift.profile.Set("KeySetteiTemp3", "Button1", "83");
    shift.profile.Set("KeySetteiTemp3", "Button1Keys", "17+83");
    shift.profile.Set("KeySetteiTemp2", "Button1", "70");
    shift.form.Form_Load();
    const std::optional<BindingTable> loaded = shift_map(shift);
    ASSERT_TRUE(loaded);
    EXPECT_EQ((*loaded)[ButtonControl(1)], (Action{ActionKind::Key, 83, 17}));
    EXPECT_EQ((*loaded)[ButtonControl(4)], Action::ShiftAction());
    EXPECT_EQ(shift.bindings.Current()[ButtonControl(4)], Action::ShiftAction());
    shift.log.clear();
    shift.Item("mnuTemp", 2).Choose();
    for (const std::string& line : shift.log) EXPECT_EQ(line.find("KeySetteiTemp3"), std::string::npos) << line;
    EXPECT_EQ(shift_map(shift), loaded);
    EXPECT_EQ(shift.Key(ButtonControl(1)), 70);
    EXPECT_EQ(shift.bindings.Current()[ButtonControl(4)], Action::ShiftAction());
}

TEST_F(ApplyTemplate, ChoosingTheCheckedItemReadsTheFileAgain) {
    Choose(0);
    rig.profile.Set("KeySettei", "Cursor2", "83");
    Choose(0);
    EXPECT_EQ(rig.Dir(1), 83);
    EXPECT_EQ(rig.Checked(), std::vector<int>{0});
}

TEST_F(ApplyTemplate, TheSlotIsRememberedOnlyUnderStartTempTwo) {
    for (int16_t start_temp : {int16_t{0}, int16_t{1}, int16_t{2}}) {
        rig.state.StartTemp = start_temp;
        rig.profile.values.clear();
        Choose(7);
        const std::string* bef_temp = rig.profile.Find("Padwright Standard", "BefTemp");
        if (start_temp == 2) {
            ASSERT_NE(bef_temp, nullptr);
            EXPECT_EQ(*bef_temp, "7");
        } else {
            EXPECT_EQ(bef_temp, nullptr) << start_temp;
        }
        EXPECT_EQ(rig.Checked(), std::vector<int>{7});
    }
}

// Quit, then start again from the same file.
TEST_F(ApplyTemplate, TheNextStartAppliesTheRememberedTemplate) {
    rig.profile.Set("Padwright Standard", "StartTemp", "2");
    rig.profile.Set("KeySetteiTemp7", "Cursor3", "65");
    rig.state.StartTemp = 2;
    Choose(7);
    TrayRig next;
    next.profile.values = rig.profile.values;
    next.form.Form_Load();
    EXPECT_EQ(next.Dir(2), 65);
    EXPECT_EQ(next.Checked(), std::vector<int>{7});
}

TEST_F(ApplyTemplate, ASlotOutsideTheMenuChangesNothing) {
    rig.SetKey(kControlUp, 5);
    for (int16_t n : {int16_t{-1}, int16_t{11}}) rig.form.ApplyTemplate(n);
    EXPECT_EQ(rig.Dir(0), 5);
    EXPECT_EQ(rig.Checked(), std::vector<int>{0});
}

}  // namespace
}  // namespace pwstd::test
