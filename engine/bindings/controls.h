#pragma once
// Which controls a pad's state holds: the directions (from the stick, and with the hat where the
// stick is centred), the buttons, and the ends of the extra axes.
#include <cstdint>

#include "engine/bindings/control.h"
#include "engine/input/pad_state.h"

namespace pwstd {

// Axis position to direction: -1 below `kando`, +1 above 65536 - `kando`, else 0.
int32_t AxisDirection(uint32_t position, int32_t kando);
// 1 when button i (1..32) is set in the mask, else 0.
int32_t ButtonBit(int32_t i, uint32_t mask);

// The directions of a hat angle in hundredths of a degree: the nearest of up (0), the diagonals and
// right, down and left at every 4500, so 2249 is up and 2250 up-right; a value outside 0..35999
// (kHatCentred among them) gives none.
struct HatDirection {
    int32_t x = 0;  // -1 left, +1 right
    int32_t y = 0;  // -1 up, +1 down
};
HatDirection HatDirections(int32_t hat);

// The held ends of an axis: bit 0 its low end, bit 1 its high end. A centred axis compares as X and
// Y do; an axis resting at 0 is held high past the middle (above 32767), one resting at 65535 held
// low below 32768; an unknown or absent axis gives nothing.
uint32_t AxisHeld(AxisRest rest, uint32_t position, int32_t kando);

// The stick's directions; with `hat`, an axis the stick leaves centred takes the hat's direction.
HatDirection StickDirections(const PadState& state, int32_t kando, bool hat);
// The held ends of the extra axes: bit a for axis control a (Z low .. V high).
uint32_t AxisEnds(const PadState& state, int32_t kando);

// Every control the state holds: bit c for control c. The buttons are all there, whatever the
// count in use; the axis ends only with `axes`.
uint64_t HeldControls(const PadState& state, int32_t kando, bool hat, bool axes);

}  // namespace pwstd
