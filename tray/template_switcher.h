#pragma once
// The one owner of the key map in force: which slot is in force, which the user last chose by hand,
// and the choice that follows the program in front. It builds each slot's binding table from the
// settings file and publishes it whole; the menu's check marks and the dialogs ask it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/bindings/binding_table.h"
#include "engine/options.h"
#include "engine/ports.h"
#include "engine/settings.h"
#include "engine/shared_state.h"
#include "tray/app_templates.h"
#include "tray/foreground.h"

namespace pwstd {

class TemplateSwitcher {
public:
    // `options` are read when the program starts, before the first switch.
    TemplateSwitcher(SharedState& state, const Options& options, Profile& profile, LiveBindings& live);

    // The slot in force (0 the custom map, 1..10 a template), checked in the menu.
    int16_t InForce() const { return in_force_; }
    // The slot the user last chose (start-up, menu, pad button); while the key map follows the
    // program in front it may differ from the one in force.
    int16_t Hand() const { return hand_; }

    // Puts slot `n` in force: its codes for the directions, the buttons in use and (with the axes)
    // the axis controls, read from the file over the table in force, so buttons above the count
    // keep theirs. `by_hand` also records it as the user's choice and, with start-up rule 2, as the
    // one for the next start; a switch by itself never touches "BefTemp". False when `n` is no slot.
    bool Switch(int16_t n, bool by_hand);
    // A window came to the front: the slot to put in force for its program, whose key in the
    // settings file is `key`, or nothing when the key map stays. Changes nothing itself.
    std::optional<int16_t> InFront(const FrontProgram& program, const std::string& key);
    // Puts `actions` of `controls`, just stored in `slot`, in force over the table in force, with the
    // mouse on also `mouse_stick` unless it is -1; the slot in force stays. When `slot` is the shift
    // slot, they become the shift map too.
    void PutInForce(int slot, const std::vector<int>& controls, const std::array<Action, kControlCount>& actions,
                    int32_t mouse_stick = -1);
    // Reads the shift slot ("ShiftTemplate") once and publishes it as the shift map, while a shift
    // button is set: at start-up and whenever the options change, never at the moment of a shift.
    void LoadShift();

private:
    // `table` with the bindings every key map has: the template button and the shift button, and
    // with the mouse on the mouse actions of their codes.
    BindingTable WithButtons(BindingTable table) const;
    // Publishes `table` with those bindings.
    void Publish(BindingTable table);

    SharedState& state_;
    const Options& options_;
    LiveBindings& live_;
    SettingsFile settings_;
    SlotChooser chooser_;
    int16_t in_force_ = 0;
    int16_t hand_ = 0;
};

}  // namespace pwstd
