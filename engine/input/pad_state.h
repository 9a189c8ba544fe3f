#pragma once
// A pad as the engine sees it, whatever service reads it: axis positions with their rests, the
// pressed buttons and the hat. Nothing here knows a Windows constant; each backend translates its
// service's record into this shape.
#include <array>
#include <cstdint>

namespace pwstd {

// The axes a pad may have, X and Y first; Z, R, U and V are the "extra" axes.
enum PadAxis : int { kAxisX = 0, kAxisY, kAxisZ, kAxisR, kAxisU, kAxisV, kPadAxes };
constexpr int kFirstExtraAxis = kAxisZ;
constexpr int kExtraAxes = kPadAxes - kFirstExtraAxis;

// Where an axis rests untouched: a stick's in the middle, a trigger's at one end.
enum class AxisRest : uint8_t { Unknown = 0, Absent, Centre, Low, High };

// The hat's value when it is released, or the pad has none.
constexpr int32_t kHatCentred = -1;
constexpr uint32_t kAxisMiddle = 32768;

struct PadState {
    // Positions 0..65535; an axis not asked for, or one the pad lacks, reads at the middle.
    std::array<uint32_t, kPadAxes> axis{kAxisMiddle, kAxisMiddle, kAxisMiddle,
                                        kAxisMiddle, kAxisMiddle, kAxisMiddle};
    // X and Y rest in the middle; the extra axes' rests are learned when the pad is found.
    std::array<AxisRest, kPadAxes> rest{AxisRest::Centre, AxisRest::Centre, AxisRest::Absent,
                                        AxisRest::Absent, AxisRest::Absent, AxisRest::Absent};
    uint32_t buttons = 0;       // bit i - 1 set: button i (1..32) pressed
    int32_t hat = kHatCentred;  // hundredths of a degree clockwise from forward, 0..35999
};

// What a pad says it has.
struct PadCaps {
    uint32_t axes = 0;       // bit a set: axis a (PadAxis) exists
    bool hat = false;        // a point-of-view hat
    bool hat_fine = false;   // the hat reports any angle, not only the four directions
    bool operator==(const PadCaps&) const = default;
};

constexpr uint32_t AxisBit(int axis) { return 1u << axis; }

// What a reading is to fetch beyond X, Y and the buttons.
struct PadQuery {
    bool hat = false;
    bool hat_fine = false;   // the angle to the hundredth of a degree, where the pad can give it
    bool extra_axes = false; // Z, R, U and V
};

}  // namespace pwstd
