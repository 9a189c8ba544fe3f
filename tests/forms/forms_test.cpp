#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/menu.h"

namespace pwstd::forms {
namespace {

// A form with one of each control the program's windows use; every event is logged by name.
class SampleForm final : public Form {
public:
    std::vector<std::string> log;

    const FormSpec& Layout() const override {
        static const FormSpec desc{.Caption = "sample", .ClientWidth = 3000, .ClientHeight = 2000};
        return desc;
    }

protected:
    std::vector<ControlSpec> Declare() const override {
        using K = ControlKind;
        return {
            {.Kind = K::Frame, .Name = "Frame1", .Caption = "frame"},
            {.Kind = K::HScrollBar, .Name = "HScroll1", .Container = "Frame1", .Min = 1, .Max = 30,
             .SmallChange = 1, .LargeChange = 10, .Value = 4, .TabIndex = 2},
            {.Kind = K::CheckBox, .Name = "Check1", .Value = 1, .TabIndex = 1},
            {.Kind = K::OptionButton, .Name = "Option1", .Index = 0, .Container = "Frame1", .Value = 1, .TabIndex = 5},
            {.Kind = K::OptionButton, .Name = "Option1", .Index = 1, .Container = "Frame1", .TabIndex = 6},
            {.Kind = K::OptionButton, .Name = "Other", .Value = 1, .TabIndex = 7},
            {.Kind = K::CommandButton, .Name = "Command2", .Index = 0, .TabIndex = 3, .Default = true},
            {.Kind = K::CommandButton, .Name = "Command2", .Index = 1, .TabIndex = 4, .Cancel = true},
            {.Kind = K::TextBox, .Name = "Text1", .TabIndex = 0, .Locked = true},
            {.Kind = K::Timer, .Name = "Timer1", .Interval = 10},
            {.Kind = K::ListBox, .Name = "List1"},
        };
    }
    void Connect() override {
        auto& scroll = Find("HScroll1");
        scroll.Change = [this, &scroll] { log.push_back("Change " + std::to_string(scroll.Value())); };
        scroll.Scroll = [this, &scroll] { log.push_back("Scroll " + std::to_string(scroll.Value())); };
        Find("Check1").Click = [this] { log.push_back("Check1_Click"); };
        for (int i = 0; i < 2; ++i) {
            Find("Option1", i).Click = [this, i] { log.push_back("Option1_Click " + std::to_string(i)); };
            Find("Command2", i).Click = [this, i] { Command2_Click(i); };
        }
        Find("Text1").KeyDown = [this](int16_t key, int16_t shift) {
            log.push_back("KeyDown " + std::to_string(key) + "/" + std::to_string(shift));
        };
        Find("Text1").GotFocus = [this] { log.push_back("Text1_GotFocus"); };
        Find("Text1").LostFocus = [this] { log.push_back("Text1_LostFocus"); };
        Find("Timer1").Timer = [this] { log.push_back("Timer"); };
        Find("List1").Click = [this] { log.push_back("List1_Click " + std::to_string(Find("List1").Value())); };
    }
    void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) override {
        log.push_back("QueryUnload " + std::to_string(UnloadMode));
        Cancel = refuse ? -1 : 0;
    }

public:
    bool refuse = false;

private:
    void Command2_Click(int index) {
        log.push_back("Command2_Click " + std::to_string(index));
        Unload();
    }
};

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override { form.Load(); form.log.clear(); }
    SampleForm form;
};

TEST_F(FormsTest, ScrollBarTellsDragsFromCommittedChanges) {
    struct Row {
        std::vector<std::pair<ScrollAction, int32_t>> input;
        std::vector<std::string> events;
        int32_t value;
    };
    const std::vector<Row> rows = {
        {{{ScrollAction::LineRight, 0}}, {"Change 5"}, 5},
        {{{ScrollAction::LineLeft, 0}}, {"Change 3"}, 3},
        {{{ScrollAction::PageRight, 0}}, {"Change 14"}, 14},
        {{{ScrollAction::PageRight, 0}, {ScrollAction::PageRight, 0}, {ScrollAction::PageRight, 0}},
         {"Change 14", "Change 24", "Change 30"}, 30},
        {{{ScrollAction::Leftmost, 0}, {ScrollAction::LineLeft, 0}}, {"Change 1"}, 1},
        {{{ScrollAction::ThumbTrack, 9}, {ScrollAction::ThumbTrack, 12}, {ScrollAction::ThumbPosition, 12}},
         {"Scroll 9", "Scroll 12", "Change 12"}, 12},
        // A drag that ends where it began commits nothing.
        {{{ScrollAction::ThumbTrack, 9}, {ScrollAction::ThumbTrack, 4}, {ScrollAction::ThumbPosition, 4}},
         {"Scroll 9", "Scroll 4"}, 4},
        {{{ScrollAction::ThumbPosition, 99}}, {"Change 30"}, 30},
        {{{ScrollAction::EndScroll, 0}}, {}, 4},
    };
    for (const Row& row : rows) {
        form.Load();
        form.log.clear();
        for (auto [action, position] : row.input) form.Find("HScroll1").UserScroll(action, position);
        EXPECT_EQ(form.log, row.events);
        EXPECT_EQ(form.Find("HScroll1").Value(), row.value);
    }
}

TEST_F(FormsTest, SettingFromCodeRaisesTheUserEventOnlyWhenTheValueDiffers) {
    auto& scroll = form.Find("HScroll1");
    scroll.SetValue(4);
    scroll.SetValue(7);
    scroll.SetValue(500);  // clamped to the range
    form.Find("Check1").SetValue(1);
    form.Find("Check1").SetValue(0);
    form.Find("Option1", 0).SetValue(1);
    form.Find("Option1", 1).SetValue(1);
    EXPECT_EQ(form.log, (std::vector<std::string>{"Change 7", "Change 30", "Check1_Click", "Option1_Click 1"}));
    EXPECT_EQ(form.Find("Option1", 0).Value(), 0);
    EXPECT_EQ(form.Find("Other").Value(), 1) << "an option button in another container stays selected";
}

// A list box's selection is its value: a change raises Click, from code or the user; a line that
// is not there selects none; clearing forgets the selection without an event.
TEST_F(FormsTest, ListBoxSelectionFollowsTheValueRules) {
    auto& list = form.Find("List1");
    EXPECT_EQ(list.Value(), -1);
    list.SetValue(0);
    for (const char* line : {"a", "b", "c"}) list.AddItem(line);
    list.SetValue(1);
    list.SetValue(1);
    list.UserSelect(2);
    list.SetValue(3);
    list.UserSelect(0);
    list.Clear();
    list.SetEnabled(false);
    list.AddItem("d");
    list.UserSelect(0);
    EXPECT_EQ(form.log, (std::vector<std::string>{"List1_Click 1", "List1_Click 2", "List1_Click -1", "List1_Click 0"}));
    EXPECT_EQ(list.List(), std::vector<std::string>{"d"});
    EXPECT_EQ(list.Value(), -1);
    form.Load();
    EXPECT_TRUE(form.Find("List1").List().empty()) << "each opening starts empty";
}

TEST_F(FormsTest, LoweringTheMaximumPullsTheValueAlong) {
    auto& scroll = form.Find("HScroll1");
    scroll.SetValue(20);
    scroll.SetMax(10);
    EXPECT_EQ(scroll.Value(), 10);
    EXPECT_EQ(form.log.back(), "Change 10");
}

TEST_F(FormsTest, EnterPressesTheFocusedButtonElseTheDefaultAndEscTheCancelButton) {
    form.PressEnter();
    EXPECT_EQ(form.log, (std::vector<std::string>{"Command2_Click 0", "QueryUnload 1"}));
    EXPECT_FALSE(form.Loaded());

    form.Load();
    form.log.clear();
    form.SetFocus(form.Find("Command2", 1));
    form.PressEnter();
    EXPECT_EQ(form.log[1], "Command2_Click 1");

    form.Load();
    form.log.clear();
    form.PressEscape();
    EXPECT_EQ(form.log[0], "Command2_Click 1");
}

TEST_F(FormsTest, CloseBoxAsksFirstAndMayBeRefused) {
    form.refuse = true;
    form.UserClose();
    EXPECT_TRUE(form.Loaded());
    form.refuse = false;
    form.UserClose();
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.log, (std::vector<std::string>{"QueryUnload 0", "QueryUnload 0"}));
}

TEST_F(FormsTest, LoadStartsFromTheDeclarationAndFocusesTheFirstInFocusOrder) {
    form.Find("HScroll1").SetValue(20);
    form.Find("Text1").SetCaption("x");
    form.log.clear();
    form.Load();
    EXPECT_EQ(form.Find("HScroll1").Value(), 4);
    EXPECT_EQ(form.Find("Text1").Caption(), "");
    EXPECT_EQ(form.Focused(), &form.Find("Text1"));
    EXPECT_EQ(form.log, std::vector<std::string>{"Text1_GotFocus"});
    std::vector<std::string> order;
    for (Control* control : form.TabOrder()) order.push_back(control->name() + std::to_string(control->index()));
    EXPECT_EQ(order, (std::vector<std::string>{"Text1-1", "Check1-1", "HScroll1-1", "Command20", "Command21",
                                               "Option10", "Option11", "Other-1"}));
}

TEST_F(FormsTest, FocusKeysAndTimerReachTheirHandlers) {
    form.Find("Text1").UserKeyDown(13, kShiftMask);
    form.SetFocus(form.Find("Check1"));
    form.Find("Timer1").Tick();
    form.Find("Check1").SetEnabled(false);
    form.Find("Check1").UserClick();  // disabled: nothing
    EXPECT_EQ(form.log, (std::vector<std::string>{"KeyDown 13/1", "Text1_LostFocus", "Timer"}));
}

TEST(MenuTest, FindsItemsByNameAndIndexAndRunsTheChosenHandler) {
    MenuItem root("mnuPop", "Popup");
    auto& sub = root.Add("mnuTempL1", "テンプレート");
    int chosen = -1;
    for (int i = 0; i <= 10; ++i) sub.Add("mnuTemp", "t", i).Click = [&chosen, i] { chosen = i; };
    root.Add("mnuBo", "-");
    ASSERT_NE(root.Find("mnuTemp", 7), nullptr);
    root.Find("mnuTemp", 7)->Choose();
    EXPECT_EQ(chosen, 7);
    EXPECT_TRUE(root.Find("mnuBo")->IsSeparator());
    EXPECT_EQ(root.Find("mnuTemp", 11), nullptr);
}

}  // namespace
}  // namespace pwstd::forms
