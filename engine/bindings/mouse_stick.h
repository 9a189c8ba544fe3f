#pragma once
// The stick that moves the cursor ("MouseStick" of a key map): which two axes it is, and which
// controls it takes from the key map while it moves the cursor.
#include <cstdint>

#include "engine/input/pad_state.h"

namespace pwstd {

// 0 none; 1 the X/Y stick; 2 the Z (across) and R (along) axes, the right stick of many pads; 3 the
// U (across) and R (along) axes, the right stick of an Xbox pad.
constexpr int32_t kMouseSticks = 4;

struct StickAxes {
    int across = kAxisX;
    int along = kAxisY;
};
// The axes of stick 1..3.
StickAxes MouseStickAxes(int32_t stick);

// Where stick `stick` (1..3) stands in `state`, across and along. An extra axis that rests at one
// of its ends is a trigger, not a stick, and counts as centred: pointing the cursor at it would
// send it to a screen edge and keep it there.
void MouseStickPosition(const PadState& state, int32_t stick, uint32_t& x, uint32_t& y);

// `state` with the axes that stick `stick` moves the cursor with put back in the middle, so that
// their controls send nothing: with 1 the stick's four directions (the hat, with "PovStick", still
// gives them), with 2 and 3 the axis controls of its two axes. Nothing changes for 0.
void CentreMouseStick(PadState& state, int32_t stick);

}  // namespace pwstd
