#pragma once
// The dialog "AppT" that keeps the templates of programs: a list of the programs that have a window
// now and of those with an entry in the settings file, each with the template it gets, and the
// buttons that give the selected program the template in force or take its entry away. Every
// change goes to the file at once.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/ports.h"
#include "engine/settings.h"
#include "engine/shared_state.h"
#include "forms/form.h"
#include "forms/menu.h"
#include "tray/foreground.h"
#include "tray/template_switcher.h"

namespace pwstd {

// A line of the list: the program's file name, a tab, and the name of its slot ("カスタム",
// a template's name) or "－" without an entry. `menu` holds the slots' names (mnuTemp).
std::string ProgramLine(const std::string& program, std::optional<int16_t> slot, forms::MenuItem& menu);

class AppT final : public forms::Form {
public:
    // `menu` is the tray's popup root (mnuPop), whose items name the slots; "assign" gives the
    // program the slot in force of `templates`. `ansi` is the code page in which the settings file
    // keeps program names.
    AppT(SharedState& state, Profile& profile, ProfileSection& section, ForegroundWatch& foreground,
         const AnsiCodePage& ansi, forms::MenuItem& menu, const TemplateSwitcher& templates);

    const forms::FormSpec& Layout() const override;

    // The programs in the list, in its order, named as the user knows them.
    const std::vector<std::string>& Programs() const { return programs_; }

protected:
    std::vector<forms::ControlSpec> Declare() const override;
    void Connect() override;
    void Form_Load() override;

private:
    void List1_Click();
    void Command1_Click(int16_t Index);
    // Lists the programs afresh, the one named selected again.
    void FillList(const std::string& selected);

    SharedState& state_;
    ProfileSection& section_;
    ForegroundWatch& foreground_;
    const AnsiCodePage& ansi_;
    forms::MenuItem& menu_;
    const TemplateSwitcher& templates_;
    SettingsFile settings_;
    std::vector<std::string> programs_;
    // Each program's key in the file: an entry's as it stands there, else the one a write makes.
    std::vector<std::string> keys_;
};

}  // namespace pwstd
