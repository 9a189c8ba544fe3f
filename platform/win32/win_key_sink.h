#pragma once
// Synthetic key presses and releases for the window with the keyboard focus.
#include "engine/ports.h"

namespace pwstd {

class WinKeySink final : public KeySink {
public:
    void send(uint8_t vk, bool up) override;
};

}  // namespace pwstd
