#pragma once
// Synthetic key presses and releases for the window with the keyboard focus.
#include <atomic>
#include <cstdint>

#include "engine/ports.h"
#include "engine/relaxed.h"

namespace pwstd {

class WinKeySink final : public KeySink {
public:
    // `scan_codes` (the "ScanCodes" option, 0 or 1) is read at every key event.
    explicit WinKeySink(const Relaxed<int16_t>& scan_codes) : scan_codes_(scan_codes) {}
    void begin_keys() override;
    void send(uint8_t vk, bool up) override;

private:
    const Relaxed<int16_t>& scan_codes_;
    // The keyboard layout begin_keys looked up, in which the keys of its batch are shaped. The timer
    // thread's polls and the releases at quit (once the timer is stopped) never overlap.
    std::atomic<void*> layout_{nullptr};
};

}  // namespace pwstd
