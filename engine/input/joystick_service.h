#pragma once
// The multimedia joystick service's records (JOYINFOEX, JOYCAPS) and flags, translated to and from
// the engine's neutral shape. Portable, so the rules are tested on any system; the backend in
// platform/win32/ only makes the calls.
#include <cstdint>

#include "engine/input/pad_state.h"

namespace pwstd {

// JOYINFOEX dwFlags: X, Y and buttons; the hat (JOY_RETURNPOV), the hat to the hundredth of a
// degree (JOY_RETURNPOVCTS); the Z, R, U and V axes.
constexpr uint32_t kJoyReturnXYButtons = 0x83;
constexpr uint32_t kJoyReturnPov = 0x40;
constexpr uint32_t kJoyReturnPovCts = 0x200;
constexpr uint32_t kJoyReturnZRUV = 0x3C;
// dwPOV of a hat at rest (JOY_POVCENTERED).
constexpr uint32_t kJoyPovCentered = 65535;
// JOYCAPS wCaps: a Z, R, U or V axis, a hat, a hat that reports any angle (JOYCAPS_POVCTS).
constexpr uint32_t kJoyCapsHasZ = 0x01;
constexpr uint32_t kJoyCapsHasR = 0x02;
constexpr uint32_t kJoyCapsHasU = 0x04;
constexpr uint32_t kJoyCapsHasV = 0x08;
constexpr uint32_t kJoyCapsHasPov = 0x10;
constexpr uint32_t kJoyCapsPovCts = 0x40;

// The fields of one JOYINFOEX reading.
struct JoyServiceRecord {
    uint32_t x = 0, y = 0, z = 0, r = 0, u = 0, v = 0;
    uint32_t buttons = 0;
    uint32_t pov = kJoyPovCentered;
};

// The dwFlags that fetch what `query` asks: 0x83, with 0x40 for the hat (and 0x200 for its fine
// angle) and 0x3C for the extra axes.
uint32_t JoyServiceFlags(const PadQuery& query);
// A reading made with JoyServiceFlags(query): a dwPOV outside 0..35999 is a centred hat.
PadState JoyServiceState(const JoyServiceRecord& record, const PadQuery& query);
// wNumAxes and wCaps of JOYCAPS: an extra axis needs both its bit and room in the count, which
// counts X and Y first.
PadCaps JoyServiceCaps(uint32_t num_axes, uint32_t wcaps);

}  // namespace pwstd
