#pragma once
// Pads read through the multimedia joystick service (joyGetPosEx, joyGetNumDevs, joyGetDevCapsW).
#include "engine/input/pad_backend.h"

namespace pwstd {

class WinJoystickBackend final : public PadBackend {
public:
    int32_t count() override;
    uint32_t read(int32_t index, const PadQuery& query, PadState& out) override;
    uint32_t caps(int32_t index, PadCaps& out) override;
};

}  // namespace pwstd
