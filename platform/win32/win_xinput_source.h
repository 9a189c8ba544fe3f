#pragma once
// XInput pads through XInputGetState of the system's XInput library, loaded only when asked for.
#include <atomic>

#include "engine/ports.h"

namespace pwstd {

class WinXInput final : public XInputPort {
public:
    // Loads xinput1_4.dll, or xinput9_1_0.dll where that is absent, and finds XInputGetState.
    // False when neither gives it; until a load succeeds every state() call fails. UI thread.
    bool Load();
    uint32_t state(uint32_t user, XInputPad& out) override;

private:
    using GetStateFn = unsigned long(__stdcall*)(unsigned long, void*);
    std::atomic<GetStateFn> get_state_{nullptr};
};

}  // namespace pwstd
