#pragma once
// Synthetic key presses and releases for the window with the keyboard focus, and synthetic mouse
// input.
#include <atomic>
#include <cstdint>

#include "engine/output/output_sink.h"

namespace pwstd {

class WinKeySink final : public OutputSink {
public:
    // `scan_codes` (the "ScanCodes" option): the keyboard layout is looked up for each batch.
    explicit WinKeySink(bool scan_codes) : scan_codes_(scan_codes) {}
    void begin_keys() override;
    uint32_t scan_code(uint8_t vk) override;
    void key(uint8_t vk, uint8_t scan, uint32_t flags) override;
    void mouse(uint32_t flags, int32_t dx, int32_t dy, int32_t data) override;

private:
    const bool scan_codes_;
    // The keyboard layout begin_keys looked up, in which the keys of its batch are shaped. The timer
    // thread's polls and the releases at quit (once the timer is stopped) never overlap.
    std::atomic<void*> layout_{nullptr};
};

}  // namespace pwstd
