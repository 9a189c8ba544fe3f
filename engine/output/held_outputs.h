#pragma once
// What each control has down in the system, and the one way to let it go: the system keeps a key
// down until it sees the release of that very key, so a release always sends what the press sent
// (its code, and with scan codes the scan code and flags it went down with), whatever the key map,
// the keyboard layout, the pause or the button count say by then.
#include <array>
#include <cstdint>

#include "engine/output/output_sink.h"

namespace pwstd {

class HeldOutputs {
public:
    // Room for `kSlots` controls, numbered 0 up. `scan_codes`: every press carries the key's scan
    // code in the layout in use and the extended-key flag it needs.
    static constexpr int kSlots = 64;
    HeldOutputs(OutputSink& sink, bool scan_codes) : sink_(sink), scan_codes_(scan_codes) {}

    // The key `slot` has down, 0 while it has none.
    uint8_t Down(int slot) const { return down_[slot].vk; }
    // Presses `vk` for `slot` (again, when it repeats) and remembers how it went out.
    void Press(int slot, uint8_t vk);
    // Releases what `slot` has down, exactly as it went down, and forgets it; nothing when it has
    // nothing down.
    void Release(int slot);
    // Releases what every slot has down, in slot order.
    void ReleaseAll();
    // The keys sent from now on are a new batch: the sink is told before the first of them.
    void NewBatch() { begun_ = false; }

private:
    struct Stroke {
        uint8_t vk = 0;  // 0: nothing down
        uint8_t scan = 0;
        uint32_t flags = 0;  // without kKeyEventKeyUp
    };
    void Begin();

    OutputSink& sink_;
    const bool scan_codes_;
    bool begun_ = false;
    std::array<Stroke, kSlots> down_{};
};

}  // namespace pwstd
