#pragma once
// The Windows profile service over a whole section of the settings file: its key names, and the
// deletion of a key.
#include "engine/ports.h"

namespace pwstd {

class WinProfileSection final : public ProfileSection {
public:
    std::vector<std::string> keys(const std::string& section, const std::string& file) override;
    int32_t remove(const std::string& section, const std::string& key, const std::string& file) override;
};

}  // namespace pwstd
