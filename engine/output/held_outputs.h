#pragma once
// What each control has down in the system, and the one way to let it go: the system keeps a key
// down until it sees the release of that very key, so a release always sends what the press sent
// (its code, and with scan codes the scan code and flags it went down with), whatever the key map,
// the keyboard layout, the pause or the button count say by then. A control bound to a combination
// has several keys down: they went down in the order written and come up in the reverse order.
#include <array>
#include <cstdint>

#include "engine/bindings/action.h"
#include "engine/output/key_event.h"
#include "engine/output/output_sink.h"

namespace pwstd {

class HeldOutputs {
    // How a key went down, in one word: its code (0: nothing down), scan code and flags.
    using Stroke = uint32_t;
    static constexpr Stroke MakeStroke(uint8_t vk, uint8_t scan, uint32_t flags) {
        return vk | static_cast<uint32_t>(scan) << 8 | flags << 16;
    }
    static constexpr int kParts = kMaxWith + 1;
    // What one control has down: the action it pressed and how each of its keys went out, in the
    // order they went down; the action's own key is the last.
    struct Held {
        Action action;
        std::array<Stroke, kParts> strokes{};
        uint8_t parts = 0;     // keys down, 0 while nothing
        bool key_up = false;   // the last key was let go for a repeat (Keyup) and goes down again
    };

public:
    // Room for `kSlots` controls, numbered 0 up. `scan_codes`: every press carries the key's scan
    // code in the layout in use and the extended-key flag it needs. `shared`: a code held by
    // several controls at once goes down with the first of them and up with the last, so a
    // modifier shared by two combinations stays down while either still needs it.
    static constexpr int kSlots = 64;
    HeldOutputs(OutputSink& sink, bool scan_codes, bool shared = false)
        : sink_(sink), scan_codes_(scan_codes), shared_(shared) {}

    // The action `slot` has down; kind None while it has none.
    const Action& Down(int slot) const { return held_[slot].action; }

    // The keys of one poll, or of the releases at quit: the sink hears that keys come before the
    // first of them, and not at all when none is sent. One thread at a time.
    class Batch {
    public:
        explicit Batch(HeldOutputs& held) : held_(held) {}
        const Action& Down(int slot) const { return held_.Down(slot); }
        // With nothing down, presses the keys of `action` for `slot` in order. With that action
        // down already, presses its last key again: a repeat, the other keys staying down.
        void Press(int slot, const Action& action);
        // Lets go of the last key of `slot` for a repeat that releases before it presses again
        // (Keyup); the keys pressed before it stay down. Nothing when the slot has nothing down.
        void ReleaseLast(int slot);
        // Releases what `slot` has down, exactly as it went down and in reverse order of the
        // presses, and forgets it; nothing when it has nothing down.
        void Release(int slot);
        // Releases what every slot has down, in slot order.
        void ReleaseAll() {
            for (int slot = 0; slot < kSlots; ++slot) Release(slot);
        }

    private:
        void Begin() {
            if (!begun_) {
                held_.sink_.begin_keys();
                begun_ = true;
            }
        }
        // One key down or up; with sharing, only the first press and the last release of a code
        // go out, unless `always` (a repeat of a control's own key).
        Stroke KeyDown(uint8_t vk, bool always);
        void KeyUp(Stroke stroke, bool always);

        HeldOutputs& held_;
        bool begun_ = false;
    };

    // Releases what every slot has down, in slot order, as a batch of its own.
    void ReleaseAll() { Batch(*this).ReleaseAll(); }

private:
    // The scan code in the layout in use and the flags the key needs (KeyEventFor).
    static Stroke Shape(OutputSink& sink, uint8_t vk);

    OutputSink& sink_;
    const bool scan_codes_;
    const bool shared_;
    std::array<Held, kSlots> held_{};
    // With sharing: how many controls hold each code, and how it went down.
    std::array<uint8_t, 256> holders_{};
    std::array<Stroke, 256> shared_strokes_{};
};

}  // namespace pwstd
