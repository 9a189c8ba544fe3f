#pragma once
// Which key map follows which program: the choice of slot as programs come to the front and the
// user chooses by hand, and the texts that show it.
#include <cstdint>
#include <optional>
#include <string>

#include "tray/foreground.h"

namespace pwstd {

// Windows that come to the front whenever the user opens the tray menu, the Start menu or the task
// switcher; they must never move the key map. Also a window whose program is unknown.
bool ChangesNothing(const FrontProgram& program);
// File names compared as the settings file compares its keys: without regard to case.
bool SameProgram(const std::string& a, const std::string& b);

class SlotChooser {
public:
    // The user chose a slot by hand (start-up, menu, pad button): it holds until another program
    // comes to the front.
    void ChosenByHand() { hand_since_front_ = true; }
    // A program that may change the key map came to the front. `entry` is its slot from the
    // settings file, if it has one; `hand` the slot the user last chose, `in_force` the checked
    // one. The slot to apply, or nothing when the key map stays.
    std::optional<int16_t> InFront(const std::string& program, std::optional<int16_t> entry, int16_t hand,
                                   int16_t in_force);

private:
    std::string front_;
    bool hand_since_front_ = false;
};

// The running tip with the name of the key map in force on a second line, the name cut where the
// tip's 63 characters (UTF-16 units) end.
std::string TipWithKeyMap(const std::string& tip, const std::string& key_map_name);

}  // namespace pwstd
