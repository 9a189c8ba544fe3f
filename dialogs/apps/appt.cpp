// The programs' templates dialog's handlers: the list filled from the windows on the desktop and
// the settings file, and the assignment and removal of the selected program's template.
#include "dialogs/apps/appt.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "engine/program_names.h"
#include "tray/app_templates.h"

namespace pwstd {

namespace {
constexpr int16_t kAssign = 0, kRemove = 1, kClose = 2;
constexpr const char* kNoEntry = "－";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
}  // namespace

std::string ProgramLine(const std::string& program, std::optional<int16_t> slot, forms::MenuItem& menu) {
    const forms::MenuItem* item = slot ? menu.Find("mnuTemp", *slot) : nullptr;
    return program + "\t" + (item ? item->Caption() : kNoEntry);
}

AppT::AppT(SharedState& state, Profile& profile, ProfileSection& section, ForegroundWatch& foreground,
           const AnsiCodePage& ansi, forms::MenuItem& menu, const TemplateSwitcher& templates)
    : state_(state),
      section_(section),
      foreground_(foreground),
      ansi_(ansi),
      menu_(menu),
      templates_(templates),
      settings_(profile, state.IniPath) {}

void AppT::Connect() {
    Find("List1").Click = [this] { List1_Click(); };
    for (int16_t i = kAssign; i <= kClose; ++i) Find("Command1", i).Click = [this, i] { Command1_Click(i); };
}

void AppT::Form_Load() { FillList(""); }

void AppT::List1_Click() {
    const bool selected = Find("List1").Value() >= 0;
    Find("Command1", kAssign).SetEnabled(selected);
    Find("Command1", kRemove).SetEnabled(selected);
}

void AppT::Command1_Click(int16_t Index) {
    if (Index == kClose) {
        Unload();
        return;
    }
    const int32_t selected = Find("List1").Value();
    if (selected < 0) return;
    const std::string program = programs_[static_cast<size_t>(selected)];
    const std::string key = keys_[static_cast<size_t>(selected)];
    if (Index == kAssign) {
        settings_.Write(kAppTemplatesSection, key, DecimalText(templates_.InForce()));
    } else {
        section_.remove(kAppTemplatesSection, key, state_.IniPath);
    }
    FillList(program);
}

// Entries first, so a program keeps the spelling of its key; a window's program of the same name
// in another case is the same program. A key that is no program name ProgramKey writes (edited by
// hand) is listed as it stands, so that it can still be removed.
void AppT::FillList(const std::string& selected) {
    std::vector<std::pair<std::string, std::string>> found;  // name, key
    for (const std::string& key : section_.keys(kAppTemplatesSection, state_.IniPath))
        found.emplace_back(ProgramFromKey(key).value_or(key), key);
    for (const FrontProgram& program : foreground_.visible_programs())
        if (!ChangesNothing(program)) found.emplace_back(program.name, ProgramKey(program.name, ansi_));
    std::vector<size_t> order;
    for (size_t i = 0; i < found.size(); ++i) {
        const std::string& name = found[i].first;
        const bool listed = std::any_of(order.begin(), order.end(),
                                        [&](size_t other) { return SameProgram(name, found[other].first); });
        if (!name.empty() && !listed) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return Lower(found[a].first) < Lower(found[b].first); });
    programs_.clear();
    keys_.clear();
    for (size_t i : order) {
        programs_.push_back(found[i].first);
        keys_.push_back(found[i].second);
    }

    forms::Control& list = Find("List1");
    list.Clear();
    int32_t index = -1;
    for (size_t i = 0; i < programs_.size(); ++i) {
        list.AddItem(ProgramLine(programs_[i], settings_.AppTemplate(keys_[i]), menu_));
        if (!selected.empty() && SameProgram(programs_[i], selected)) index = static_cast<int32_t>(i);
    }
    list.SetValue(index);
    List1_Click();
}

}  // namespace pwstd
