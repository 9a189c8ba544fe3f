#pragma once
// The Windows profile service over the settings file, which keeps ANSI text in the system code
// page. The path goes to the service in Unicode (any folder name works); values keep the lengths
// and bytes of the ANSI service. The program's UTF-8 is converted at this edge.
#include "engine/ports.h"

namespace pwstd {

class WinProfile final : public Profile {
public:
    std::string get(const std::string& section, const std::string& key, const std::string& def,
                    const std::string& file) override;
    int32_t put(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file) override;
    int32_t remove(const std::string& section, const std::string& key, const std::string& file) override;
};

}  // namespace pwstd
