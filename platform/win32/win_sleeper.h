#pragma once
// Suspends the calling thread.
#include "engine/ports.h"

namespace pwstd {

class WinSleeper final : public Sleeper {
public:
    void sleep(int32_t ms) override;
};

}  // namespace pwstd
