#pragma once
// The mouse from the pad: the cursor's movement, the mouse buttons each control holds down and the
// wheel's notches while a wheel control is held. Like the keys, a button that went down comes up
// exactly as it went down, whatever the key map, the pause or the button count say by then.
#include <array>
#include <cstdint>

#include "engine/output/mouse_cursor.h"
#include "engine/output/output_sink.h"

namespace pwstd {

// MOUSEINPUT dwFlags values.
constexpr uint32_t kMouseMove = 0x0001;
constexpr uint32_t kMouseLeftDown = 0x0002;
constexpr uint32_t kMouseLeftUp = 0x0004;
constexpr uint32_t kMouseRightDown = 0x0008;
constexpr uint32_t kMouseRightUp = 0x0010;
constexpr uint32_t kMouseMiddleDown = 0x0020;
constexpr uint32_t kMouseMiddleUp = 0x0040;
constexpr uint32_t kMouseXDown = 0x0080;
constexpr uint32_t kMouseXUp = 0x0100;
constexpr uint32_t kMouseWheel = 0x0800;
constexpr uint32_t kMouseHWheel = 0x1000;
// MOUSEINPUT mouseData: which X button, and one wheel notch.
constexpr int32_t kMouseXButton1 = 1;
constexpr int32_t kMouseXButton2 = 2;
constexpr int32_t kWheelDelta = 120;

// The codes of a key map that are mouse actions while the mouse is on: the buttons' virtual-key
// codes, and four codes no key uses for the wheel.
constexpr uint8_t kMouseLeftCode = 1, kMouseRightCode = 2, kMouseMiddleCode = 4, kMouseX1Code = 5,
                  kMouseX2Code = 6;
constexpr uint8_t kWheelUpCode = 151, kWheelDownCode = 152, kWheelLeftCode = 153, kWheelRightCode = 154;
constexpr bool IsWheelCode(int32_t code) { return code >= kWheelUpCode && code <= kWheelRightCode; }

class MouseOutputs {
public:
    static constexpr int kSlots = 64;
    // The cursor's speed, dead zone and curve, and the wheel's notches per second (1..50).
    MouseOutputs(OutputSink& sink, int32_t speed, int32_t dead_zone, int32_t curve, int32_t wheel_rate);

    // One poll of `wait` ms with the cursor's stick at `x`, `y`: one relative move when a whole
    // pixel is due, nothing otherwise.
    void Move(uint32_t x, uint32_t y, int32_t wait);
    // `slot` holds mouse action `code` (a button or a wheel code) through this poll of `wait` ms.
    // A new press (or another code than the one down: the map changed) first lets the old one go;
    // a button goes down once and never repeats; a wheel notches at the press and then each time
    // its held time reaches another 1000 / wheel rate ms.
    void Hold(int slot, uint8_t code, int32_t wait);
    // Lets go of what `slot` holds: a button comes up, a wheel stops; nothing when it holds none.
    void Release(int slot);
    // Releases every slot in slot order and drops the cursor's fractions.
    void ReleaseAll();
    // The code `slot` holds, 0 while none.
    uint8_t Down(int slot) const { return down_[slot]; }

private:
    void Notches(uint8_t code, int32_t count);

    OutputSink& sink_;
    MouseCursor cursor_;
    const int32_t wheel_rate_;
    std::array<uint8_t, kSlots> down_{};
    // A held wheel's time since its last notch, in ms times the wheel rate: a notch is due at each
    // 1000, with no rounding whatever the rate.
    std::array<int32_t, kSlots> held_{};
};

}  // namespace pwstd
