#pragma once
// Joystick readings from the multimedia joystick service.
#include "engine/ports.h"

namespace pwstd {

class WinPadSource final : public PadSource {
public:
    uint32_t read(int32_t id, JoyReading& out) override;
};

}  // namespace pwstd
