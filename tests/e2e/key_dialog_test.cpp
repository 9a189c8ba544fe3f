// The real PwStd.exe's key settings dialog under Wine, opened from the tray menu: keys typed into
// its key boxes through the system's input, OK putting them in force and into the file, and a
// template saved under a new name that the tray menu shows at once.
#include <gtest/gtest.h>

#include <thread>

#include "tests/e2e/dialog_driver.h"
#include "tests/e2e/menu_capture.h"

namespace pwstd::wintest {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// The key settings dialog's native controls, found as a user sees them.
struct KeyDialog {
    HWND window = nullptr;
    HWND rows = nullptr, slots = nullptr;  // HScroll1, HScroll2
    std::vector<HWND> captions, boxes;     // the four rows
    HWND slot_label = nullptr, name = nullptr, ok = nullptr, cancel = nullptr, save = nullptr;

    explicit KeyDialog(HWND dialog) : window(dialog) {
        const std::vector<HWND> bars = Children(dialog, L"SCROLLBAR");
        const std::vector<HWND> statics = Children(dialog, L"STATIC");
        const std::vector<HWND> edits = Children(dialog, L"EDIT");
        if (bars.size() == 2) {
            rows = bars[0];
            slots = bars[1];
        }
        // Four key boxes, the key-number checker and the name box, top to bottom; likewise the
        // four row captions come first of the labels.
        if (edits.size() == 6) {
            boxes.assign(edits.begin(), edits.begin() + 4);
            name = edits[5];
        }
        if (statics.size() >= 4) captions.assign(statics.begin(), statics.begin() + 4);
        slot_label = ChildWithText(dialog, L"STATIC", "No-", true);
        ok = ChildWithText(dialog, L"BUTTON", "ＯＫ");
        cancel = ChildWithText(dialog, L"BUTTON", "キャンセル");
        save = ChildWithText(dialog, L"BUTTON", "保存");
    }
    bool complete() const {
        return rows && slots && boxes.size() == 4 && captions.size() == 4 && slot_label && name && ok && cancel && save;
    }
    std::vector<std::string> Texts(const std::vector<HWND>& windows) const {
        std::vector<std::string> texts;
        for (HWND w : windows) texts.push_back(TextOf(w));
        return texts;
    }
    // Waits until the rows show these captions and codes.
    bool ShowsRows(const std::vector<std::string>& want_captions, const std::vector<std::string>& want_codes) const {
        return WaitFor([&] { return Texts(captions) == want_captions && Texts(boxes) == want_codes; }, seconds(5),
                       milliseconds(20));
    }
};

const std::string kSettings = Ini({"[Padwright Standard]", "Buttons=4", "Repeat=0", "Keyup=0", "[KeySettei]",
                                   "Button1=65"});

// The focus of the dialog's thread, as a click leaves it.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

// The colour a key box shows inside its border, just beside its text.
uint32_t BoxColor(HWND box) {
    const Picture picture = Photograph(box);
    return picture.width > 4 ? picture.at(3, picture.height / 2) : 0xFFFFFFFF;
}

uint32_t Rgb(COLORREF color) { return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color); }

void FocusBox(const KeyDialog& dialog, HWND box) {
    Click(box);
    ASSERT_TRUE(WaitFor([&] { return FocusOf(dialog.window) == box; }, seconds(3)));
}

std::string Cp932(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                         nullptr)));
    return bytes;
}

TEST(KeyDialog, KeysPressedInTheBoxesAreShownAndOkPutsThemInForceAndInTheFile) {
    // In a folder whose name the ANSI code page cannot hold: the dialog still reads and writes the file.
    AppSession app(kSettings, {.folder = L"설정 é"});
    app.Start();
    const KeyDialog dialog(OpenSettings(app, SettingsItem::Keys));
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_TRUE(dialog.complete());
    // Four buttons in use: the window opens on buttons 1..4.
    EXPECT_TRUE(dialog.ShowsRows({"ボタン－１", "ボタン－２", "ボタン－３", "ボタン－４"}, {"６５", "３２", "３２", "３２"}));
    EXPECT_EQ(ScrollPos(dialog.rows), 4);

    // A click gives the box the focus and the yellow of a box being edited.
    FocusBox(dialog, dialog.boxes[0]);
    EXPECT_TRUE(WaitFor([&] { return BoxColor(dialog.boxes[0]) == 0xFFFF00; }, seconds(3)));
    // Enter is a key like any other here: it is shown, and the dialog stays open. The last key wins.
    PressKey(VK_RETURN);
    EXPECT_EQ(WaitText(dialog.boxes[0], "１３"), "１３");
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    PressKey('Z');
    EXPECT_EQ(WaitText(dialog.boxes[0], "９０"), "９０");

    // To the top of the list: the directions, with their default codes.
    Scroll(dialog.rows, SB_LEFT);
    EXPECT_TRUE(dialog.ShowsRows({"十字キー－上", "十字キー－下", "十字キー－左", "十字キー－右"},
                                 {"３８", "４０", "３７", "３９"}));
    FocusBox(dialog, dialog.boxes[2]);
    EXPECT_TRUE(WaitFor([&] { return BoxColor(dialog.boxes[0]) == Rgb(GetSysColor(COLOR_WINDOW)); }, seconds(3)));
    PressKey('Q');
    EXPECT_EQ(WaitText(dialog.boxes[2], "８１"), "８１");
    // Back down one row: button 1 kept what was typed.
    Scroll(dialog.rows, SB_LINERIGHT);
    EXPECT_TRUE(dialog.ShowsRows({"十字キー－下", "十字キー－左", "十字キー－右", "ボタン－１"},
                                 {"４０", "８１", "３９", "９０"}));

    Click(dialog.ok);
    ASSERT_TRUE(WaitClosed(dialog.window));
    const std::string file = ReadFileBytes(app.ini_path());
    const std::pair<const char*, const char*> written[] = {
        {"Cursor1", "38"}, {"Cursor2", "40"}, {"Cursor3", "81"}, {"Cursor4", "39"},
        {"Button1", "90"}, {"Button2", "32"}, {"Button3", "32"}, {"Button4", "32"}, {"Button5", "(none)"}};
    for (const auto& [key, value] : written) EXPECT_EQ(IniValue(file, "KeySettei", key), value) << key;

    // The pad now sends the new keys: stick left with button 1, then let go.
    const size_t before = app.keys().count();
    app.winmm().script({Held(6, 1, 0, 32768), Idle(0)});
    ASSERT_TRUE(app.keys().wait_count(before + 4, seconds(5)));
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(KeyText(app.keys().keys(before)), "+81 +90 -81 -90");
}

// With combinations on, keys pressed with Ctrl, Shift or Alt held are recorded with them; Alt
// neither moves the focus nor opens anything. OK writes each entry's own key and its "Keys" key,
// and the pad sends the combination.
TEST(KeyDialog, CombinationsAreRecordedFromRealKeyPressesAndOkWritesBothKeys) {
    AppSession app(Ini({"[Padwright Standard]", "Buttons=4", "Repeat=0", "Keyup=0", "Combos=1", "[KeySettei]",
                        "Button1=65"}));
    app.Start();
    const KeyDialog dialog(OpenSettings(app, SettingsItem::Keys));
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_TRUE(dialog.complete());
    FocusBox(dialog, dialog.boxes[0]);
    PressWithAll({VK_CONTROL, VK_SHIFT}, 'S');
    EXPECT_EQ(WaitText(dialog.boxes[0], "１７＋１６＋８３"), "１７＋１６＋８３");
    FocusBox(dialog, dialog.boxes[1]);
    PressKey(VK_MENU);
    EXPECT_EQ(WaitText(dialog.boxes[1], "１８"), "１８") << "Alt alone is a single code";
    PressWith(VK_MENU, 'X');
    EXPECT_EQ(WaitText(dialog.boxes[1], "１８＋８８"), "１８＋８８");
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(FocusOf(dialog.window), dialog.boxes[1]) << "Alt moved the focus";
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    PressWith(VK_SHIFT, 'Q');
    EXPECT_EQ(WaitText(dialog.boxes[1], "１６＋８１"), "１６＋８１");

    Click(dialog.ok);
    ASSERT_TRUE(WaitClosed(dialog.window));
    const std::string file = ReadFileBytes(app.ini_path());
    const std::pair<const char*, const char*> written[] = {
        {"Button1", "83"}, {"Button1Keys", "17+16+83"}, {"Button2", "81"}, {"Button2Keys", "16+81"},
        {"Button3", "32"}, {"Button3Keys", "(none)"}};
    for (const auto& [key, value] : written) EXPECT_EQ(IniValue(file, "KeySettei", key), value) << key;

    const size_t before = app.keys().count();
    app.winmm().script({Held(6, 1), Idle(0)});
    ASSERT_TRUE(app.keys().wait_count(before + 6, seconds(5)));
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(KeyText(app.keys().keys(before)), "+17 +16 +83 -83 -16 -17");
}

// With AllAxes the eight axis rows follow the last button in use; an empty box sends nothing and OK
// writes them after the buttons.
TEST(KeyDialog, AllAxesShowsAndSavesTheAxisRows) {
    AppSession app(Ini({"[Padwright Standard]", "AllAxes=1", "Buttons=2", "[KeySettei]", "Axis8=72"}));
    app.Start();
    const KeyDialog dialog(OpenSettings(app, SettingsItem::Keys));
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_TRUE(dialog.complete());
    Scroll(dialog.rows, SB_RIGHT);
    EXPECT_TRUE(dialog.ShowsRows({"Ｕ軸－マイナス", "Ｕ軸－プラス", "Ｖ軸－マイナス", "Ｖ軸－プラス"},
                                 {"", "", "", "７２"}));
    EXPECT_EQ(ScrollPos(dialog.rows), 10);
    Scroll(dialog.rows, SB_LINELEFT);
    Scroll(dialog.rows, SB_LINELEFT);
    Scroll(dialog.rows, SB_LINELEFT);
    Scroll(dialog.rows, SB_LINELEFT);
    EXPECT_TRUE(dialog.ShowsRows({"Ｚ軸－マイナス", "Ｚ軸－プラス", "Ｒ軸－マイナス", "Ｒ軸－プラス"},
                                 {"", "", "", ""}));
    FocusBox(dialog, dialog.boxes[1]);
    PressKey('Z');
    EXPECT_EQ(WaitText(dialog.boxes[1], "９０"), "９０");
    Click(dialog.ok);
    ASSERT_TRUE(WaitClosed(dialog.window));
    const std::string file = ReadFileBytes(app.ini_path());
    EXPECT_LT(file.find("Button2=32"), file.find("Axis1=0"));
    const std::pair<const char*, const char*> written[] = {{"Axis1", "0"}, {"Axis2", "90"}, {"Axis7", "0"},
                                                           {"Axis8", "72"}};
    for (const auto& [key, value] : written) EXPECT_EQ(IniValue(file, "KeySettei", key), value) << key;
}

TEST(KeyDialog, ASavedTemplateIsInForceAtOnceAndTheTrayMenuShowsItsNewName) {
    AppSession app(kSettings);
    app.Start();
    const POINT at{40, 40};
    // Before anything is saved, the program's submenu is the reference one: the comparison holds.
    const std::vector<std::wstring> defaults = DefaultTemplateCaptions();
    const Picture opening = ProgramTemplateMenu(app, at);
    ASSERT_GT(opening.width, 0);
    EXPECT_TRUE(opening == ReferenceTemplateMenu(defaults, 0, at));

    const KeyDialog dialog(OpenSettings(app, SettingsItem::Keys));
    ASSERT_NE(dialog.window, nullptr);
    ASSERT_TRUE(dialog.complete());
    EXPECT_EQ(TextOf(dialog.slot_label), "No-1");
    EXPECT_EQ(TextOf(dialog.name), "テンプレート１");
    // Slot 3: a click on the slot bar's right arrow, then one more step.
    ClickAt(dialog.slots, -GetSystemMetrics(SM_CXHSCROLL) / 2);
    EXPECT_EQ(WaitText(dialog.slot_label, "No-2"), "No-2");
    EXPECT_EQ(TextOf(dialog.name), "テンプレート２");
    Scroll(dialog.slots, SB_LINERIGHT);
    EXPECT_EQ(WaitText(dialog.slot_label, "No-3"), "No-3");
    EXPECT_EQ(TextOf(dialog.name), "テンプレート３");

    // Button 1 gets X; the name is typed over the old one.
    FocusBox(dialog, dialog.boxes[0]);
    PressKey('X');
    EXPECT_EQ(WaitText(dialog.boxes[0], "８８"), "８８");
    const std::wstring name = L"格闘用 A&B";
    Click(dialog.name);
    PressKey(VK_END);
    PressWith(VK_SHIFT, VK_HOME);
    TypeText(name);
    EXPECT_EQ(WaitText(dialog.name, Narrow(name)), Narrow(name));

    Click(dialog.save);
    ASSERT_TRUE(WaitFor([&] { return IniValue(ReadFileBytes(app.ini_path()), "KeySetteiTemp3", "Button4") == "32"; },
                        seconds(5)));
    EXPECT_TRUE(IsWindowVisible(dialog.window));
    // Cancel does not undo a save.
    Click(dialog.cancel);
    ASSERT_TRUE(WaitClosed(dialog.window));

    const std::string file = ReadFileBytes(app.ini_path());
    EXPECT_EQ(IniValue(file, "KeySetteiTemp3", "TempName"), Cp932(name));
    const std::pair<const char*, const char*> written[] = {
        {"Cursor1", "38"}, {"Cursor2", "40"}, {"Cursor3", "37"}, {"Cursor4", "39"},
        {"Button1", "88"}, {"Button2", "32"}, {"Button3", "32"}, {"Button4", "32"}};
    for (const auto& [key, value] : written) EXPECT_EQ(IniValue(file, "KeySetteiTemp3", key), value) << key;
    // The custom key map in the file is untouched.
    EXPECT_EQ(IniValue(file, "KeySettei", "Button1"), "65");
    EXPECT_EQ(IniValue(file, "KeySettei", "Cursor1"), "(none)");

    // The saved codes are in force: button 1 sends X.
    const size_t before = app.keys().count();
    app.winmm().script({Held(6, 1), Idle(0)});
    ASSERT_TRUE(app.keys().wait_count(before + 2, seconds(5)));
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(KeyText(app.keys().keys(before)), "+88 -88");

    // The menu's third template now carries the name, shown as typed (the ampersand is no
    // accelerator), and the check mark stays on the custom map.
    std::vector<std::wstring> renamed = defaults;
    renamed[3] = L"格闘用 A&&B";
    const Picture menu = ProgramTemplateMenu(app, at);
    ASSERT_GT(menu.width, 0);
    EXPECT_FALSE(menu == opening);
    EXPECT_TRUE(menu == ReferenceTemplateMenu(renamed, 0, at));
}

}  // namespace
}  // namespace pwstd::wintest
