#pragma once
// Joystick readings from the multimedia joystick service.
#include "engine/ports.h"

namespace pwstd {

class WinPadSource final : public PadSource {
public:
    uint32_t read(int32_t id, uint32_t flags, JoyReading& out) override;
    uint32_t joysticks() override;
    uint32_t caps(int32_t id, JoyCaps& out) override;
};

}  // namespace pwstd
