#include "tray/app_templates.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace pwstd {

namespace {

// Parts of the shell that run in processes of their own.
constexpr std::array<const char*, 4> kShellPrograms = {"StartMenuExperienceHost.exe", "SearchHost.exe",
                                                       "SearchApp.exe", "ShellExperienceHost.exe"};
constexpr size_t kTipUnits = 63;

}  // namespace

bool SameProgram(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

bool ChangesNothing(const FrontProgram& program) {
    if (program.ours_or_shell || program.name.empty()) return true;
    return std::any_of(kShellPrograms.begin(), kShellPrograms.end(),
                       [&](const char* shell) { return SameProgram(program.name, shell); });
}

// The same program again after a choice by hand (the user came back from the tray menu, which does
// not count) keeps that choice; any other program takes its entry or, without one, the hand's slot.
std::optional<int16_t> SlotChooser::InFront(const std::string& program, std::optional<int16_t> entry,
                                            int16_t hand, int16_t in_force) {
    const bool same = SameProgram(program, front_);
    front_ = program;
    if (same && hand_since_front_) return std::nullopt;
    hand_since_front_ = false;
    const int16_t slot = entry ? *entry : hand;
    if (slot == in_force) return std::nullopt;
    return slot;
}

std::string TipWithKeyMap(const std::string& tip, const std::string& key_map_name) {
    std::string text = tip + "\n";
    size_t units = 0;
    for (unsigned char c : text) units += (c & 0xC0) != 0x80 ? 1 : 0;
    // Whole characters only: a lead byte starts one, four-byte ones take two units.
    for (size_t i = 0; i < key_map_name.size();) {
        const unsigned char lead = static_cast<unsigned char>(key_map_name[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const size_t need = length == 4 ? 2 : 1;
        if (units + need > kTipUnits) break;
        units += need;
        text.append(key_map_name, i, length);
        i += length;
    }
    return text;
}

}  // namespace pwstd
