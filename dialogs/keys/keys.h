#pragma once
// The key settings dialog "KeyS": a working copy of the key map, edited four rows at a time by
// pressing the key each control is to send, put in force and stored as the custom key map on OK;
// a key-number checker; and the template frame that saves the working copy as one of the ten named
// templates or loads one into it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/bindings/control.h"
#include "engine/options.h"
#include "engine/ports.h"
#include "engine/settings.h"
#include "engine/shared_state.h"
#include "forms/form.h"
#include "forms/menu.h"
#include "tray/template_switcher.h"

namespace pwstd {

// Caption of the row showing a control: "十字キー－上" .. "十字キー－右", "ボタン－１" ..
// "ボタン－３０", and for the axis controls "Ｚ軸－マイナス" .. "Ｖ軸－プラス".
std::string RowCaption(int control);
// What the key box of a control shows: the code in full-width digits, after the keys pressed
// before it (`with`, as Action::with holds them) joined by "＋" ("１７＋１６＋８３"); nothing for an
// axis control that sends nothing; with `mouse` a code of its own that is a mouse action shows that
// action's name ("左ボタン" .. "ホイール右").
std::string KeyBoxText(int control, int32_t code, uint32_t with = 0, bool mouse = false);
// The mouse actions a key box offers on a right click while the mouse is on: their codes and names.
struct MouseChoice {
    int32_t code;
    const char* name;
};
extern const MouseChoice kMouseChoices[9];
// Caption of the template slot chooser: "No-1" .. "No-10".
std::string SlotCaption(int32_t n);

class KeyS final : public forms::Form {
public:
    // `menu` is the tray's popup root (mnuPop); saving a template renames its mnuTemp item. OK and a
    // template save put their codes in force through `templates`.
    KeyS(SharedState& state, const Options& options, Profile& profile, forms::MenuItem& menu,
         TemplateSwitcher& templates);

    const forms::FormSpec& Layout() const override;

    // The working copy, by control; nothing outside the dialog sees it until OK or a template save.
    std::array<int32_t, kControlCount> EditKeys{};
    // With combinations on: the keys pressed before each code (Ctrl, Shift, Alt as recorded), packed
    // as Action::with; 0 for a single code.
    std::array<uint32_t, kControlCount> EditWith{};
    // The working copy's MouseStick (0..3), with the mouse on.
    int32_t EditStick = 0;

protected:
    std::vector<forms::ControlSpec> Declare() const override;
    void Connect() override;
    void Form_Load() override;

private:
    void HScroll1_Change();
    void HScroll1_Scroll();
    void Text1_KeyDown(int16_t Index, int16_t KeyCode, int16_t Shift);
    void Text1_GotFocus(int16_t Index);
    void Text1_LostFocus(int16_t Index);
    void Text2_KeyDown(int16_t KeyCode, int16_t Shift);
    void Text2_GotFocus();
    void Text2_LostFocus();
    void Text1_MouseAction(int16_t Index, int32_t code);
    void Option1_Click(int16_t Index);
    void Command1_Click();
    void Command2_Click(int16_t Index);
    // The template frame (keys_templates.cpp).
    void HScroll2_Scroll();
    void HScroll2_Change();
    void Command3_Click(int16_t Index);
    void SaveTemplate();
    void LoadTemplate();

    // Key-map slot 0 (the custom map) or 1..10 (a template) into or out of the working copy.
    void ReadSlot(int slot);
    void WriteSlot(int slot);
    // Buttons 1..ButtonsInUse() are shown, saved and loaded.
    int32_t ButtonsInUse() const;
    // Whether the eight axis rows follow the buttons (AllAxes).
    bool AxesInUse() const;
    // The controls the list shows, in its order: directions, the buttons in use, then the axes.
    std::vector<int> Rows() const;
    // The control shown on row `row` of the list.
    int RowControl(int32_t row) const;

    SharedState& state_;
    const Options& options_;
    forms::MenuItem& menu_;
    TemplateSwitcher& templates_;
    SettingsFile settings_;
    // The right-click menus of the four key boxes, with the mouse on.
    std::array<std::unique_ptr<forms::MenuItem>, 4> mouse_menus_;
};

}  // namespace pwstd
