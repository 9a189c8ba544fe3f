#include "tray/template_switcher.h"

#include <utility>

#include "engine/bindings/key_map_file.h"

namespace pwstd {

TemplateSwitcher::TemplateSwitcher(SharedState& state, const Options& options, Profile& profile, LiveBindings& live)
    : state_(state), options_(options), live_(live), settings_(profile, state.IniPath) {}

BindingTable TemplateSwitcher::WithButtons(BindingTable table) const {
    if (options_.mouse) BindMouseCodes(table);
    if (const int32_t t = options_.template_button; t >= 1 && t <= kMaxButtons) {
        table[ButtonControl(t)] = Action::NextTemplateAction();
    }
    if (const int32_t s = options_.shift_button; s >= 1 && s <= kMaxButtons) {
        table[ButtonControl(s)] = Action::ShiftAction();
    }
    return table;
}

void TemplateSwitcher::Publish(BindingTable table) { live_.Publish(WithButtons(std::move(table))); }

void TemplateSwitcher::LoadShift() {
    if (options_.shift_button == 0) return;
    BindingTable table =
        ReadSlot(settings_, options_.shift_template, state_.Buttons, options_.all_axes, live_.Current(), options_.combos);
    if (options_.mouse) table.mouse_stick = ReadMouseStick(settings_, options_.shift_template);
    live_.PublishShift(WithButtons(std::move(table)));
}

bool TemplateSwitcher::Switch(int16_t n, bool by_hand) {
    if (n < 0 || n > kTemplateCount) return false;
    BindingTable table = ReadSlot(settings_, n, state_.Buttons, options_.all_axes, live_.Current(), options_.combos);
    if (options_.mouse) table.mouse_stick = ReadMouseStick(settings_, n);
    Publish(table);
    if (by_hand) {
        if (state_.StartTemp == 2) settings_.Write(kGeneralSection, "BefTemp", DecimalText(n));
        hand_ = n;
        chooser_.ChosenByHand();
    }
    in_force_ = n;
    return true;
}

std::optional<int16_t> TemplateSwitcher::InFront(const FrontProgram& program, const std::string& key) {
    if (!options_.app_switch || ChangesNothing(program)) return std::nullopt;
    return chooser_.InFront(program.name, settings_.AppTemplate(key), hand_, in_force_);
}

void TemplateSwitcher::PutInForce(int slot, const std::vector<int>& controls,
                                  const std::array<Action, kControlCount>& actions, int32_t mouse_stick) {
    BindingTable table = live_.Current();
    for (int control : controls) table[control] = actions[control];
    if (options_.mouse && mouse_stick >= 0) table.mouse_stick = mouse_stick;
    Publish(table);
    if (options_.shift_button != 0 && slot == options_.shift_template) {
        live_.PublishShift(WithButtons(table));
    }
}

}  // namespace pwstd
