#pragma once
// The cursor driven by a stick: how far it moves in one poll. The speed follows the length of the
// stick's deflection, not each axis apart, so a diagonal is as fast as a straight push; it is
// given per poll of `wait` ms, so another poll period keeps the same speed; and each axis carries
// the fraction of a pixel it could not send, so slow movement stays smooth instead of stopping.
#include <cstdint>

namespace pwstd {

struct CursorStep {
    int32_t dx = 0;  // whole pixels right (negative: left)
    int32_t dy = 0;  // whole pixels down (negative: up)
    bool operator==(const CursorStep&) const = default;
};

class MouseCursor {
public:
    // `speed`: pixels per second at full deflection; `dead_zone`: percent of the stick's half range
    // where nothing moves; `curve`: exponent of the response. Each is held to its range (50..5000,
    // 0..90, 1..3).
    MouseCursor(int32_t speed, int32_t dead_zone, int32_t curve);

    // One poll of `wait` ms with the stick at `x`, `y` (0..65535, y growing towards the user):
    // the whole pixels to send now. Inside the dead zone nothing moves and the carried fractions
    // are dropped, so a stick let go stops at once and starts again from nothing.
    CursorStep Step(uint32_t x, uint32_t y, int32_t wait);
    // Drops the carried fractions (a pause, another pad).
    void Clear() { carried_x_ = carried_y_ = 0; }

private:
    double speed_;
    double dead_;
    int32_t curve_;
    double carried_x_ = 0;
    double carried_y_ = 0;
};

}  // namespace pwstd
