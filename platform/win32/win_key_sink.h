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
    // The keyboard layout that the keys of this poll are shaped in.
    void* Layout() const;

    const Relaxed<int16_t>& scan_codes_;
    // The layout begin_keys looked up, for the keys that follow it on the same thread in the same
    // poll: the thread and tick count of the lookup tell them apart from a later send.
    std::atomic<void*> layout_{nullptr};
    std::atomic<uint32_t> layout_thread_{0};
    std::atomic<uint32_t> layout_ticks_{0};
};

}  // namespace pwstd
