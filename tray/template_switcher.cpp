#include "tray/template_switcher.h"

#include "engine/bindings/key_map_file.h"

namespace pwstd {

TemplateSwitcher::TemplateSwitcher(SharedState& state, const Options& options, Profile& profile, LiveBindings& live)
    : state_(state), options_(options), live_(live), settings_(profile, state.IniPath) {}

void TemplateSwitcher::Publish(BindingTable table) {
    if (const int32_t t = options_.template_button; t >= 1 && t <= kMaxButtons) {
        table[ButtonControl(t)] = Action::NextTemplateAction();
    }
    live_.Publish(table);
}

bool TemplateSwitcher::Switch(int16_t n, bool by_hand) {
    if (n < 0 || n > kTemplateCount) return false;
    Publish(ReadSlot(settings_, n, state_.Buttons, options_.all_axes, live_.Current()));
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

void TemplateSwitcher::PutInForce(const std::vector<int>& controls, const std::array<int32_t, kControlCount>& codes) {
    BindingTable table = live_.Current();
    for (int control : controls) table[control] = Action::Key(codes[control]);
    Publish(table);
}

}  // namespace pwstd
