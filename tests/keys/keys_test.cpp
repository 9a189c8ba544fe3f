#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/keys/keys_fixture.h"

namespace pwstd::testing {
namespace {

using forms::ScrollAction;

const Lines kArrowRows = {"十字キー－上=３８", "十字キー－下=４０", "十字キー－左=３７",
                          "十字キー－右=３９"};

TEST_F(KeySTest, LayoutMatchesTheDialogAsDesigned) {
    const forms::FormSpec& desc = dialog.Layout();
    EXPECT_EQ(desc.Caption, "Padwright Standard プロパティ－キー設定");
    EXPECT_EQ(desc.ClientWidth, 5970);
    EXPECT_EQ(desc.ClientHeight, 5055);
    EXPECT_EQ(desc.Border, forms::BorderStyle::FixedDialog);
    EXPECT_EQ(desc.TextFont.Name, "ＭＳ Ｐゴシック");
    EXPECT_EQ(desc.TextFont.Size, 12);

    struct Row {
        const char* name;
        int index;
        const char* container;
        forms::Rect place;
        int tab;
    };
    const std::vector<Row> rows = {
        {"HScroll1", -1, "", {120, 2160, 5655, 255}, 0},
        {"Label1", 0, "", {240, 240, 2535, 255}, 1},
        {"Label1", 3, "", {240, 1680, 2535, 255}, 4},
        {"Text1", 0, "", {3000, 120, 2775, 375}, 5},
        {"Text1", 3, "", {3000, 1560, 2775, 375}, 8},
        {"Command1", -1, "", {120, 4440, 1575, 495}, 9},
        {"Command2", 0, "", {2520, 4440, 1575, 495}, 10},
        {"Command2", 1, "", {4200, 4440, 1575, 495}, 11},
        {"Label2", -1, "", {120, 2520, 2775, 375}, 12},
        {"Text2", -1, "", {3000, 2520, 2775, 375}, 13},
        {"Frame1", -1, "", {120, 2880, 5775, 1455}, 14},
        {"HScroll2", -1, "Frame1", {240, 660, 5415, 255}, 15},
        {"Text3", -1, "Frame1", {1680, 240, 3975, 360}, 16},
        {"Label3", -1, "Frame1", {240, 240, 1215, 255}, 17},
        {"Command3", 0, "Frame1", {2640, 960, 1335, 375}, 18},
        {"Command3", 1, "Frame1", {4200, 960, 1335, 375}, 19},
    };
    dialog.Load();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + std::to_string(row.index));
        const forms::ControlSpec& s = C(row.name, row.index).layout();
        EXPECT_EQ(s.Container, row.container);
        EXPECT_EQ((std::vector{s.Place.Left, s.Place.Top, s.Place.Width, s.Place.Height}),
                  (std::vector{row.place.Left, row.place.Top, row.place.Width, row.place.Height}));
        EXPECT_EQ(s.TabIndex, row.tab);
        EXPECT_FALSE(s.Default || s.Cancel) << "Enter and Esc belong to the key boxes";
    }
    for (const char* box : {"Text1", "Text2"}) {
        const forms::ControlSpec& s = C(box, box == std::string("Text1") ? 2 : -1).layout();
        EXPECT_TRUE(s.Locked && s.TextFont.Bold);
        EXPECT_EQ(s.TextFont.Size, 12);
    }
    EXPECT_EQ(C("Text3").layout().MaxLength, 200);
    EXPECT_EQ((std::vector{C("HScroll2").Min(), C("HScroll2").Max(), C("HScroll2").Value()}),
              (std::vector{1, 10, 1}));
    EXPECT_EQ(
        (Lines{C("Command1").Caption(), C("Command2", 0).Caption(), C("Command2", 1).Caption(),
               C("Label2").Caption(), C("Frame1").Caption(), C("Label3").Caption(),
               C("Command3", 0).Caption(), C("Command3", 1).Caption()}),
        (Lines{"デフォルト", "ＯＫ", "キャンセル", "キーナンバー確認用", "テンプレート関連", "No-1",
               "保存", "読み込み"}));
}

TEST_F(KeySTest, OpensOnTheFirstButtonsWithAWindowAsWideAsTheButtonsInUse) {
    struct Row {
        int32_t buttons;
        int32_t position;
        Lines rows;
    };
    const std::vector<Row> rows = {
        {1, 1, {"十字キー－下=４０", "十字キー－左=３７", "十字キー－右=３９", "ボタン－１=３２"}},
        {2, 2, {"十字キー－左=３７", "十字キー－右=３９", "ボタン－１=３２", "ボタン－２=３２"}},
        {4, 4, {"ボタン－１=３２", "ボタン－２=３２", "ボタン－３=３２", "ボタン－４=３２"}},
        {30, 4, {"ボタン－１=３２", "ボタン－２=３２", "ボタン－３=３２", "ボタン－４=３２"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.buttons);
        state.Buttons = row.buttons;
        dialog.Load();
        EXPECT_EQ((std::vector{C("HScroll1").Min(), C("HScroll1").Max(), C("HScroll1").Value()}),
                  (std::vector{0, row.buttons, row.position}));
        EXPECT_EQ(Rows(), row.rows);
        C("HScroll1").UserScroll(ScrollAction::Leftmost);
        EXPECT_EQ(Rows(), kArrowRows) << "no section: the arrow keys";
    }
    C("HScroll1").UserScroll(ScrollAction::Rightmost);
    EXPECT_EQ(Rows(), (Lines{"ボタン－２７=３２", "ボタン－２８=３２", "ボタン－２９=３２",
                             "ボタン－３０=３２"}));
    C("HScroll1").UserScroll(ScrollAction::ThumbTrack, 3);
    EXPECT_EQ(Rows()[0], "十字キー－右=３９") << "a drag refreshes the rows as it goes";
}

TEST_F(KeySTest, StoredCodesAreDecodedAndClampedAndOnlyAMissingKeyGivesTheDefault) {
    struct Row {
        const char* stored;  // nullptr: no such key
        int32_t code;
        const char* shown;
    };
    const std::vector<Row> rows = {
        {"0", 1, "１"},         {"abc", 1, "１"},     {"", 1, "１"},
        {"300", 255, "２５５"}, {"38.5", 38, "３８"}, {"39.5", 40, "４０"},
        {" 6 5", 65, "６５"},   {"-3", 1, "１"},      {nullptr, 32, "３２"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "missing");
        Lines file{"[KeySettei]", "Button5=99"};
        if (row.stored)
            file.insert(file.end(), {std::string("Cursor1=") + row.stored,
                                     std::string("Button1=") + row.stored});
        WriteFile(file);
        dialog.Load();
        EXPECT_EQ(dialog.EditKeys[kControlUp], row.stored ? row.code : 38);
        EXPECT_EQ(dialog.EditKeys[ButtonControl(1)], row.code);
        EXPECT_EQ(C("Text1", 0).Caption(), row.shown);
        EXPECT_EQ(dialog.EditKeys[ButtonControl(5)], 0) << "buttons beyond those in use are not read";
    }
}

TEST_F(KeySTest, AnyKeyPressedInAKeyBoxIsCapturedAndTheDialogStaysOpen) {
    struct Row {
        int16_t key, shift;
        const char* shown;
        const char* combined;  // shown with combinations on
    };
    const std::vector<Row> rows = {
        {13, 0, "１３", "１３"},
        {27, 0, "２７", "２７"},
        {16, forms::kShiftMask, "１６", "１６"},
        {17, forms::kCtrlMask, "１７", "１７"},
        {18, forms::kAltMask | forms::kCtrlMask, "１８", "１８"},
        {115, forms::kAltMask, "１１５", "１８＋１１５"},
        {83, forms::kAltMask | forms::kShiftMask | forms::kCtrlMask, "８３", "１７＋１６＋１８＋８３"},
        {65, forms::kShiftMask | forms::kCtrlMask, "６５", "１７＋１６＋６５"},
    };
    for (bool combos : {true, false}) {
        options.combos = combos;
        dialog.Load();
        ScrollTo("HScroll1", 2);
        for (const Row& row : rows) {
            Press(1, row.key, row.shift);
            EXPECT_EQ(C("Text1", 1).Caption(), combos ? row.combined : row.shown);
            EXPECT_EQ(dialog.EditKeys[kControlRight], row.key) << "row 1 at window 2 is the right direction";
            EXPECT_TRUE(dialog.Loaded());
        }
    }
    Press(3, 90);  // button 2
    ScrollTo("HScroll1", 0);
    ScrollTo("HScroll1", 2);
    EXPECT_EQ(Rows(), (Lines{"十字キー－左=３７", "十字キー－右=６５", "ボタン－１=３２",
                             "ボタン－２=９０"}));
    EXPECT_EQ(KeyMapNow(), Lines(34, "7")) << "nothing in force before OK";
}

TEST_F(KeySTest, KeyBoxesAndTheCheckerTurnYellowWhileTheyHaveTheFocus) {
    dialog.Load();
    const uint32_t yellow = forms::Rgb(255, 255, 0);
    dialog.FocusedByUser(&C("Text1", 2));
    EXPECT_EQ(C("Text1", 2).BackColor(), yellow);
    dialog.FocusedByUser(&C("Text2"));
    EXPECT_EQ((std::vector{C("Text1", 2).BackColor(), C("Text2").BackColor()}),
              (std::vector{forms::kColorWindow, yellow}));
    dialog.FocusedByUser(&C("Command1"));
    EXPECT_EQ(C("Text2").BackColor(), forms::kColorWindow);
}

TEST_F(KeySTest, TheCheckerShowsTheCodeAndStoresNothing) {
    dialog.Load();
    const Lines before = Rows();
    C("Text2").UserKeyDown(123, forms::kAltMask);
    EXPECT_EQ(C("Text2").Caption(), "１２３");
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(Working(), Codes({38, 40, 37, 39, 32, 32, 32, 32}));
}

TEST_F(KeySTest, DefaultsResetOnlyTheDirectionsAndCancelOrTheCloseBoxKeepsEverything) {
    const Lines file{"[KeySettei]", "Cursor1=87", "Cursor2=83",
                     "Cursor3=65",  "Cursor4=68", "Button1=90"};
    for (bool close_box : {false, true}) {
        WriteFile(file);
        const std::string before = FileText();
        dialog.Load();
        Press(1, 81);  // button 2
        Click("Command1");
        EXPECT_EQ(Rows(), (Lines{"ボタン－１=９０", "ボタン－２=８１", "ボタン－３=３２",
                                 "ボタン－４=３２"}));
        C("HScroll1").UserScroll(ScrollAction::Leftmost);
        EXPECT_EQ(Rows(), kArrowRows);
        if (close_box) {
            dialog.UserClose();
        } else {
            Click("Command2", 1);
        }
        EXPECT_FALSE(dialog.Loaded());
        EXPECT_EQ(FileText(), before);
        EXPECT_EQ(KeyMapNow(), Lines(34, "7"));
    }
    dialog.Load();
    EXPECT_EQ(dialog.EditKeys[kControlUp], 87) << "every opening starts again from the file";
    EXPECT_EQ(C("HScroll1").Value(), 4);
}

TEST_F(KeySTest, OkPutsTheCodesInForceAndWritesTheButtonsInUseOnly) {
    WriteFile({"[KeySettei]", "Button5=66", "Button6=67", "[Other]", "x=1"});
    dialog.Load();
    Press(0, 90);
    Press(3, 88);
    C("HScroll1").UserScroll(ScrollAction::Leftmost);
    Press(0, 87);
    Click("Command2", 0);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(Section("KeySettei"),
              (Lines{"Button5=66", "Button6=67", "Cursor1=87", "Cursor2=40", "Cursor3=37",
                     "Cursor4=39", "Button1=90", "Button2=32", "Button3=32", "Button4=88"}));
    EXPECT_EQ(Section("Other"), Lines{"x=1"});
    Lines expected(34, "7");
    for (auto [i, code] : std::vector<std::pair<int, const char*>>{{0, "87"},
                                                                   {1, "40"},
                                                                   {2, "37"},
                                                                   {3, "39"},
                                                                   {4, "90"},
                                                                   {5, "32"},
                                                                   {6, "32"},
                                                                   {7, "88"}}) {
        expected[i] = code;
    }
    EXPECT_EQ(KeyMapNow(), expected) << "button 5 and above keep the codes in force";
}

// With combinations on, a "Keys" key that applies is shown and kept, one that does not is shown as
// the code alone; OK writes each combination's own key and its "Keys" key and removes the "Keys"
// key of an entry now holding a single code. Template save and load carry the combinations.
TEST_F(KeySTest, CombinationsAreShownRecordedAndWrittenWithTheirKeysKeys) {
    options.combos = true;
    WriteFile({"[KeySettei]", "Button1=83", "Button1Keys=17+16+83", "Button2=87", "Button2Keys=17+88",
               "Button3=65", "Button3Keys=18+65"});
    dialog.Load();
    EXPECT_EQ(Rows(), (Lines{"ボタン－１=１７＋１６＋８３", "ボタン－２=８７", "ボタン－３=１８＋６５",
                             "ボタン－４=３２"}));
    Press(1, 90, forms::kCtrlMask);
    Press(2, 66);
    Press(3, 46, forms::kShiftMask);
    Click("Command2", 0);
    EXPECT_EQ(Section("KeySettei"),
              (Lines{"Button1=83", "Button1Keys=17+16+83", "Button2=90", "Button2Keys=17+90", "Button3=66",
                     "Cursor1=38", "Cursor2=40", "Cursor3=37", "Cursor4=39", "Button4=46", "Button4Keys=16+46"}));
    EXPECT_EQ(bindings.Current()[ButtonControl(2)], (Action{ActionKind::Key, 90, 17}));
    EXPECT_EQ(bindings.Current()[ButtonControl(4)], (Action{ActionKind::Key, 46, 16}));

    dialog.Load();
    Click("Command3", 0);  // saved as template 1
    EXPECT_EQ(Section("KeySetteiTemp1"),
              (Lines{"TempName=name1", "Cursor1=38", "Cursor2=40", "Cursor3=37", "Cursor4=39", "Button1=83",
                     "Button1Keys=17+16+83", "Button2=90", "Button2Keys=17+90", "Button3=66", "Button4=46",
                     "Button4Keys=16+46"}));
    Press(0, 65);
    Click("Command3", 1);  // and loaded back
    EXPECT_EQ(Rows(), (Lines{"ボタン－１=１７＋１６＋８３", "ボタン－２=１７＋９０", "ボタン－３=６６",
                             "ボタン－４=１６＋４６"}));

    options.combos = false;
    dialog.Load();
    EXPECT_EQ(Rows(), (Lines{"ボタン－１=８３", "ボタン－２=９０", "ボタン－３=６６", "ボタン－４=４６"}))
        << "with combinations off the Keys keys are not read";
    const std::string before = FileText();
    Click("Command2", 0);
    EXPECT_EQ(FileText(), before) << "nor written or removed";
}

// With AllAxes the eight axis rows follow the last button in use; an empty box sends nothing, the
// defaults empty them again, and OK and a template save write them after the last button.
TEST_F(KeySTest, AxisRowsFollowTheButtonsInUse) {
    options.all_axes = true;
    state.Buttons = 2;
    WriteFile({"[KeySettei]", "Axis2=81", "Axis8=0", "[KeySetteiTemp4]", "Axis1=70"});
    dialog.Load();
    EXPECT_EQ(C("HScroll1").Max(), 10);
    C("HScroll1").UserScroll(ScrollAction::ThumbTrack, 5);
    EXPECT_EQ(Rows(), (Lines{"ボタン－２=３２", "Ｚ軸－マイナス=", "Ｚ軸－プラス=８１",
                             "Ｒ軸－マイナス="}));
    C("HScroll1").UserScroll(ScrollAction::Rightmost);
    EXPECT_EQ(Rows(), (Lines{"Ｕ軸－マイナス=", "Ｕ軸－プラス=", "Ｖ軸－マイナス=",
                             "Ｖ軸－プラス="}));
    Press(3, 88);  // V high
    Click("Command1");
    EXPECT_EQ(Rows()[3], "Ｖ軸－プラス=") << "the defaults empty the axis rows";
    Press(2, 86);  // V low
    Click("Command3", 1);  // load template 1: never saved, every axis row empty
    EXPECT_EQ(Rows()[2], "Ｖ軸－マイナス=");
    Press(2, 86);
    Click("Command2", 0);
    EXPECT_EQ(Section("KeySettei"),
              (Lines{"Axis2=0", "Axis8=0", "Cursor1=38", "Cursor2=40", "Cursor3=37", "Cursor4=39",
                     "Button1=32", "Button2=32", "Axis1=0", "Axis3=0", "Axis4=0", "Axis5=0",
                     "Axis6=0", "Axis7=86"}));
    EXPECT_EQ(bindings.Current()[AxisControl(6)].key, 86);
    EXPECT_EQ(bindings.Current()[AxisControl(1)].key, 0);
}

TEST_F(KeySTest, OkWithoutEditsWhileATemplateIsInForceRestoresTheCustomCodes) {
    WriteFile({"[KeySettei]", "Cursor1=104", "Cursor2=98", "Cursor3=100", "Cursor4=102",
               "Button1=13", "Button2=27", "Button3=16", "Button4=17"});
    const std::string before = FileText();
    SetKeyMap(65);  // template codes
    dialog.Load();
    Click("Command2", 0);
    EXPECT_EQ(FileText(), before);
    Lines expected(34, "65");
    const Lines custom{"104", "98", "100", "102", "13", "27", "16", "17"};
    std::copy(custom.begin(), custom.end(), expected.begin());
    EXPECT_EQ(KeyMapNow(), expected);
}

}  // namespace
}  // namespace pwstd::testing
