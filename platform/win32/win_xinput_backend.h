#pragma once
// XInput pads through XInputGetState of the system's XInput library, loaded only when asked for.
#include <atomic>

#include "engine/input/pad_backend.h"

namespace pwstd {

class WinXInputBackend final : public PadBackend {
public:
    // Loads xinput1_4.dll, or xinput9_1_0.dll where that is absent, and finds XInputGetState.
    // False when neither gives it; until a load succeeds every read fails. UI thread, before the
    // first reading.
    bool Load();

    // The four XInput users.
    int32_t count() override;
    uint32_t read(int32_t index, const PadQuery& query, PadState& out) override;
    uint32_t caps(int32_t index, PadCaps& out) override;

private:
    using GetStateFn = unsigned long(__stdcall*)(unsigned long, void*);
    std::atomic<GetStateFn> get_state_{nullptr};
};

}  // namespace pwstd
