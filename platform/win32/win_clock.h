#pragma once
// The system's millisecond tick count.
#include "engine/ports.h"

namespace pwstd {

class WinClock final : public Clock {
public:
    uint32_t ticks() override;
};

}  // namespace pwstd
