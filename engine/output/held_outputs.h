#pragma once
// What each control has down in the system, and the one way to let it go: the system keeps a key
// down until it sees the release of that very key, so a release always sends what the press sent
// (its code, and with scan codes the scan code and flags it went down with), whatever the key map,
// the keyboard layout, the pause or the button count say by then.
#include <array>
#include <cstdint>

#include "engine/output/key_event.h"
#include "engine/output/output_sink.h"

namespace pwstd {

class HeldOutputs {
    // How a key went down, in one word: its code (0: nothing down), scan code and flags.
    using Stroke = uint32_t;
    static constexpr Stroke MakeStroke(uint8_t vk, uint8_t scan, uint32_t flags) {
        return vk | static_cast<uint32_t>(scan) << 8 | flags << 16;
    }

public:
    // Room for `kSlots` controls, numbered 0 up. `scan_codes`: every press carries the key's scan
    // code in the layout in use and the extended-key flag it needs.
    static constexpr int kSlots = 64;
    HeldOutputs(OutputSink& sink, bool scan_codes) : sink_(sink), scan_codes_(scan_codes) {}

    // The key `slot` has down, 0 while it has none.
    uint8_t Down(int slot) const { return static_cast<uint8_t>(down_[slot]); }

    // The keys of one poll, or of the releases at quit: the sink hears that keys come before the
    // first of them, and not at all when none is sent. One thread at a time.
    class Batch {
    public:
        explicit Batch(HeldOutputs& held)
            : sink_(held.sink_), down_(held.down_.data()), scan_codes_(held.scan_codes_) {}
        uint8_t Down(int slot) const { return static_cast<uint8_t>(down_[slot]); }
        // Presses `vk` for `slot` (again, when it repeats) and remembers how it went out.
        void Press(int slot, uint8_t vk) {
            Begin();
            const Stroke stroke = scan_codes_ ? Shape(sink_, vk) : MakeStroke(vk, 0, 0);
            sink_.key(vk, static_cast<uint8_t>(stroke >> 8), stroke >> 16);
            down_[slot] = stroke;
        }
        // Releases what `slot` has down, exactly as it went down, and forgets it; nothing when it
        // has nothing down.
        void Release(int slot) {
            const Stroke stroke = down_[slot];
            if (static_cast<uint8_t>(stroke) == 0) return;
            Begin();
            sink_.key(static_cast<uint8_t>(stroke), static_cast<uint8_t>(stroke >> 8),
                      stroke >> 16 | kKeyEventKeyUp);
            down_[slot] = 0;
        }
        // Releases what every slot has down, in slot order.
        void ReleaseAll() {
            for (int slot = 0; slot < kSlots; ++slot) Release(slot);
        }

    private:
        void Begin() {
            if (!begun_) {
                sink_.begin_keys();
                begun_ = true;
            }
        }

        OutputSink& sink_;
        Stroke* const down_;
        const bool scan_codes_;
        bool begun_ = false;
    };

    // Releases what every slot has down, in slot order, as a batch of its own.
    void ReleaseAll() { Batch(*this).ReleaseAll(); }

private:
    // The scan code in the layout in use and the flags the key needs (KeyEventFor).
    static Stroke Shape(OutputSink& sink, uint8_t vk);

    OutputSink& sink_;
    const bool scan_codes_;
    std::array<Stroke, kSlots> down_{};
};

}  // namespace pwstd
