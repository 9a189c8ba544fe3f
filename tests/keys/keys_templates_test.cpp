#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/keys/keys_fixture.h"

namespace pwstd::testing {
namespace {

using forms::ScrollAction;

class KeyTemplatesTest : public KeySTest {
protected:
    // The dialog open with the custom map's defaults and buttons 1..4 in the rows; button 1 set to
    // 90 and button 4 to 88, up to 87.
    void OpenAndEdit() {
        dialog.Load();
        Press(0, 90);
        Press(3, 88);
        C("HScroll1").UserScroll(ScrollAction::Leftmost);
        Press(0, 87);
    }
    const Lines kEditedCodes{"87", "40", "37", "39", "90", "32", "32", "88"};
    Lines Expected(const Lines& first, const char* rest) const {
        Lines codes(34, rest);
        std::copy(first.begin(), first.end(), codes.begin());
        return codes;
    }
};

TEST_F(KeyTemplatesTest, TheSlotChooserShowsEachSlotsNameAndForgetsUnsavedTyping) {
    dialog.Load();
    EXPECT_EQ(C("Text3").Caption(), "name1");
    C("Text3").SetCaption("typed");
    C("HScroll2").UserScroll(ScrollAction::LineRight);
    EXPECT_EQ((Lines{C("Label3").Caption(), C("Text3").Caption()}), (Lines{"No-2", "name2"}));
    C("HScroll2").UserScroll(ScrollAction::ThumbTrack, 10);
    EXPECT_EQ((Lines{C("Label3").Caption(), C("Text3").Caption()}), (Lines{"No-10", "name10"}));
    C("HScroll2").UserScroll(ScrollAction::Leftmost);
    EXPECT_EQ(C("Text3").Caption(), "name1");
    C("HScroll2").UserScroll(ScrollAction::Rightmost);
    dialog.Load();
    EXPECT_EQ((Lines{C("Label3").Caption(), C("Text3").Caption()}), (Lines{"No-1", "name1"}));
}

TEST_F(KeyTemplatesTest, SavePutsTheCodesInForceAndRenamesTheMenuItemAtOnce) {
    WriteFile({"[KeySettei]", "Button1=70"});
    const Lines after_save{
        "[KeySettei]", "Button1=70", "[KeySetteiTemp3]", "TempName=シューティング",
        "Cursor1=87",  "Cursor2=40", "Cursor3=37",       "Cursor4=39",
        "Button1=90",  "Button2=32", "Button3=32",       "Button4=88"};
    OpenAndEdit();
    ScrollTo("HScroll2", 3);
    C("Text3").SetCaption("シューティング");
    Click("Command3", 0);
    EXPECT_TRUE(dialog.Loaded());
    EXPECT_EQ(FileText(), Joined(after_save)) << "no custom map, StartTemp or BefTemp written";
    EXPECT_EQ(state.TemplateNames[3], "シューティング");
    EXPECT_EQ(menu.Find("mnuTemp", 3)->Caption(), "シューティング");
    EXPECT_EQ(menu.Find("mnuTemp", 2)->Caption(), "name2");
    EXPECT_TRUE(menu.Find("mnuTemp", 0)->Checked()) << "the check mark stays";
    EXPECT_FALSE(menu.Find("mnuTemp", 3)->Checked());
    EXPECT_EQ(KeyMapNow(), Expected(kEditedCodes, "7"));

    Click("Command2", 1);  // Cancel undoes none of it
    EXPECT_EQ(FileText(), Joined(after_save));
    EXPECT_EQ(KeyMapNow(), Expected(kEditedCodes, "7"));
    EXPECT_EQ(menu.Find("mnuTemp", 3)->Caption(), "シューティング");
}

// With the mouse on, a right click gives a key box a mouse action, shown by its name, and the
// stick chooser below the template frame is part of the working copy: read at opening and at a
// load, written by OK and a save, put in force with the codes. With it off, neither exists.
TEST_F(KeyTemplatesTest, WithTheMouseOnTheKeyBoxesTakeMouseActionsAndTheKeyMapItsStick) {
    dialog.Load();
    EXPECT_EQ(C("Text1", 0).ContextMenu, nullptr);
    EXPECT_EQ(dialog.TryFind("Option1", 0), nullptr);

    options.mouse = true;
    WriteFile({"[KeySettei]", "MouseStick=2", "Button2=152", "[KeySetteiTemp4]", "MouseStick=9", "Button1=5"});
    dialog.Load();
    EXPECT_EQ(dialog.Layout().ClientHeight, 5055 + 735);
    EXPECT_EQ(C("Command2", 0).layout().Place.Top, 5175) << "the buttons move down under the chooser";
    EXPECT_EQ((Lines{C("Option1", 0).Caption(), C("Option1", 1).Caption(), C("Option1", 2).Caption(),
                     C("Option1", 3).Caption()}),
              (Lines{"なし", "Ｘ／Ｙ", "Ｚ／Ｒ", "Ｕ／Ｒ"}));
    EXPECT_EQ(C("Option1", 2).Value(), 1);
    EXPECT_EQ(Rows()[1], "ボタン－２=ホイール下");
    forms::MenuItem* menu0 = C("Text1", 0).ContextMenu;
    ASSERT_NE(menu0, nullptr);
    Lines names;
    for (const auto& item : menu0->Items()) names.push_back(item->Caption());
    EXPECT_EQ(names, (Lines{"左ボタン", "右ボタン", "中ボタン", "Ｘボタン１", "Ｘボタン２", "ホイール上",
                            "ホイール下", "ホイール左", "ホイール右"}));
    C("Text1", 3).ContextMenu->Find("mnuMouseAction", 1)->Choose();
    EXPECT_EQ(Rows()[3], "ボタン－４=左ボタン");
    Click("Option1", 3);
    Click("Command2", 0);
    EXPECT_EQ(Section("KeySettei"), (Lines{"MouseStick=3", "Button2=152", "Cursor1=38", "Cursor2=40", "Cursor3=37",
                                           "Cursor4=39", "Button1=32", "Button3=32", "Button4=1"}));
    EXPECT_EQ(bindings.Current().mouse_stick, 3);
    EXPECT_EQ(bindings.Current()[ButtonControl(4)], Action::MouseOrKey(1));
    EXPECT_EQ(bindings.Current()[ButtonControl(2)].kind, ActionKind::Wheel);

    dialog.Load();
    ScrollTo("HScroll2", 4);
    Click("Command3", 1);
    EXPECT_EQ(C("Option1", 0).Value(), 1) << "a stick outside 0..3 is none";
    EXPECT_EQ(Rows()[0], "ボタン－１=Ｘボタン１");
    Click("Option1", 1);
    ScrollTo("HScroll2", 5);
    Click("Command3", 0);
    EXPECT_EQ(Section("KeySetteiTemp5").back(), "MouseStick=1");
    EXPECT_EQ(bindings.Current().mouse_stick, 1);
    templates.Switch(2, true);
    EXPECT_EQ(bindings.Current().mouse_stick, 0) << "a slot without the key has none";
    templates.Switch(0, true);
    EXPECT_EQ(bindings.Current().mouse_stick, 3) << "a switch carries the slot's stick";

    options.combos = true;  // Ctrl+click: the keys before a mouse code are held around it
    WriteFile({"[KeySettei]", "Button3=1", "Button3Keys=17+1"});
    dialog.Load();
    EXPECT_EQ(Rows()[2], "ボタン－３=１７＋左ボタン");
    Click("Command2", 0);
    EXPECT_EQ(bindings.Current()[ButtonControl(3)], (Action{ActionKind::MouseButton, 1, 17}));
}

TEST_F(KeyTemplatesTest, SavingWithFewerButtonsKeepsTheSlotsHigherButtons) {
    WriteFile({"[KeySetteiTemp2]", "TempName=old", "Button4=1", "Button5=2", "Button6=3"});
    dialog.Load();
    ScrollTo("HScroll2", 2);
    Click("Command3", 0);
    EXPECT_EQ(
        Section("KeySetteiTemp2"),
        (Lines{"TempName=name2", "Button4=32", "Button5=2", "Button6=3", "Cursor1=38", "Cursor2=40",
               "Cursor3=37", "Cursor4=39", "Button1=32", "Button2=32", "Button3=32"}));
}

TEST_F(KeyTemplatesTest, TheNameIsSavedExactlyAsTyped) {
    std::string long_name;
    for (int i = 0; i < 150; ++i) long_name += i % 2 ? "名" : "n";
    for (const std::string& name : {std::string(), std::string("  spaced  "), long_name}) {
        SCOPED_TRACE(name);
        dialog.Load();
        C("Text3").SetCaption(name);
        Click("Command3", 0);
        EXPECT_EQ(Section("KeySetteiTemp1").front(), "TempName=" + name);
        EXPECT_EQ(state.TemplateNames[1], name);
        EXPECT_EQ(menu.Find("mnuTemp", 1)->Caption(), name);
    }
}

TEST_F(KeyTemplatesTest, LoadFillsTheEditorOnlyAndKeepsTheWindowWhereItIs) {
    WriteFile({"[KeySetteiTemp5]", "TempName=t5", "Cursor1=0", "Cursor2=300", "Cursor3=abc",
               "Button1=65", "Button2=38.5", "Button3=", "Button5=99", "[KeySettei]",
               "Button5=70"});
    const std::string before = FileText();
    state.Buttons = 5;
    dialog.Load();
    Click("Command2", 1);
    state.Buttons = 4;
    dialog.Load();
    ScrollTo("HScroll1", 2);
    ScrollTo("HScroll2", 5);
    Click("Command3", 1);
    EXPECT_EQ(C("HScroll1").Value(), 2);
    EXPECT_EQ(Rows(), (Lines{"十字キー－左=１", "十字キー－右=３９", "ボタン－１=６５",
                             "ボタン－２=３８"}));
    EXPECT_EQ(Working(), Codes({1, 255, 1, 39, 65, 38, 1, 32, 70})) << "with 4 buttons in use, button 5 is not read";
    EXPECT_EQ(C("Text3").Caption(), "name5") << "the name is not read back";
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(KeyMapNow(), Lines(34, "7"));

    ScrollTo("HScroll2", 9);  // never saved
    Click("Command3", 1);
    EXPECT_EQ(Working(), Codes({38, 40, 37, 39, 32, 32, 32, 32, 70}));
}

TEST_F(KeyTemplatesTest, LoadThenCancelChangesNothingAndLoadThenOkMakesItTheCustomMap) {
    const Lines slot{"[KeySetteiTemp4]", "Cursor1=87", "Cursor2=83", "Cursor3=65", "Cursor4=68",
                     "Button1=74",       "Button2=75", "Button3=76", "Button4=77"};
    WriteFile(slot);
    dialog.Load();
    ScrollTo("HScroll2", 4);
    Click("Command3", 1);
    Click("Command2", 1);
    EXPECT_EQ(FileText(), Joined(slot));
    EXPECT_EQ(KeyMapNow(), Lines(34, "7"));

    dialog.Load();
    ScrollTo("HScroll2", 4);
    Click("Command3", 1);
    Click("Command2", 0);
    Lines custom{"[KeySettei]"};
    for (size_t i = 1; i < slot.size(); ++i) custom.push_back(slot[i]);
    Lines both = slot;
    both.insert(both.end(), custom.begin(), custom.end());
    EXPECT_EQ(FileText(), Joined(both));
    EXPECT_EQ(KeyMapNow(), Expected({"87", "83", "65", "68", "74", "75", "76", "77"}, "7"));
}

}  // namespace
}  // namespace pwstd::testing
