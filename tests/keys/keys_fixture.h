#pragma once
// The key settings dialog opened on a real settings file in a temporary folder, with the tray's
// template menu beside it. Tests act as the user through the control model and read back the
// working copy, the rows, the shared state, the file and the menu.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dialogs/keys/keys.h"
#include "engine/bindings/key_map_file.h"
#include "engine/shared_state.h"
#include "forms/menu.h"
#include "tests/support/temp_ini.h"

namespace pwstd::testing {

using Lines = std::vector<std::string>;

class KeySTest : public ::testing::Test {
protected:
    KeySTest() {
        state.IniPath = ini.path;
        state.Buttons = 4;
        for (int n = 1; n <= kTemplateCount; ++n)
            state.TemplateNames[n] = "name" + std::to_string(n);
        auto& items = menu.Add("mnuTempL1", "テンプレート");
        items.Add("mnuTemp", "カスタム", 0).SetChecked(true);
        for (int n = 1; n <= kTemplateCount; ++n) {
            items.Add("mnuTemp", state.TemplateNames[n], n);
        }
        SetKeyMap(7);
    }

    // The key map in force: every code `code`.
    void SetKeyMap(int32_t code) {
        BindingTable table;
        for (int c = 0; c < kControlAxis1; ++c) table[c] = Action::Key(code);
        bindings.Publish(table);
    }
    // The codes in force in the order of a key-map section: up, down, left, right, buttons 1..30.
    Lines KeyMapNow() const {
        Lines codes;
        for (int control : SlotControls(kMaxButtons, false))
            codes.push_back(std::to_string(bindings.Current()[control].key));
        return codes;
    }
    // The working copy in the same order, the axis controls after the buttons; `first` codes given,
    // the rest 0.
    std::vector<int32_t> Working() const {
        std::vector<int32_t> codes;
        for (int control : SlotControls(kMaxButtons, true)) codes.push_back(dialog.EditKeys[control]);
        return codes;
    }
    static std::vector<int32_t> Codes(std::vector<int32_t> first) {
        first.resize(kControlCount, 0);
        return first;
    }

    // Lines ended with CR LF, as the profile service writes them.
    static std::string Joined(const Lines& lines) {
        std::string text;
        for (const auto& line : lines) text += line + "\r\n";
        return text;
    }
    void WriteFile(const Lines& lines) { ini.Write(Joined(lines)); }
    std::string FileText() const { return ini.Contents(); }
    // The key=value lines of one section, in file order.
    Lines Section(const std::string& name) const {
        Lines lines;
        std::istringstream text(FileText());
        bool inside = false;
        for (std::string line; std::getline(text, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line.front() == '[') {
                inside = line == "[" + name + "]";
            } else if (inside) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    forms::Control& C(const std::string& name, int index = -1) { return dialog.Find(name, index); }
    // "caption=code" of the four rows, top to bottom.
    Lines Rows() {
        Lines rows;
        for (int r = 0; r < 4; ++r)
            rows.push_back(C("Label1", r).Caption() + "=" + C("Text1", r).Caption());
        return rows;
    }
    void Press(int row, int16_t key, int16_t shift = 0) { C("Text1", row).UserKeyDown(key, shift); }
    void Click(const std::string& name, int index = -1) { C(name, index).UserClick(); }
    void ScrollTo(const std::string& name, int32_t position) {
        C(name).UserScroll(forms::ScrollAction::ThumbTrack, position);
        C(name).UserScroll(forms::ScrollAction::ThumbPosition, position);
    }

    TempIni ini;
    SharedState state;
    forms::MenuItem menu{"mnuPop", "Popup"};
    Options options;
    LiveBindings bindings;
    TemplateSwitcher templates{state, options, ini.profile, bindings};
    KeyS dialog{state, options, ini.profile, menu, templates};
};

}  // namespace pwstd::testing
