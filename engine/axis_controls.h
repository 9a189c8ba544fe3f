#pragma once
// The Z, R, U and V axes as controls: each gives a control at its low end and one at its high end.
// A stick's axis rests at its centre and is read like X and Y; a trigger's axis rests at one end and
// gives only the control at its far end, so it can never read as held while untouched.
#include <atomic>
#include <cstdint>

#include "engine/ports.h"

namespace pwstd {

// Z, R, U, V, in the order of their controls.
constexpr int kExtraAxes = 4;

enum class AxisRest : uint8_t { Unknown = 0, Absent, Centre, Low, High };

// The rest an axis has when its first reading is `position`: 16384..49151 is the centre, anything
// else the end it is at.
AxisRest RestOf(uint32_t position);
// Whether the capabilities say the pad has extra axis `axis` (0..3 for Z, R, U, V).
bool HasAxis(const JoyCaps& caps, int axis);
// Position of extra axis `axis` in a reading.
uint32_t AxisPosition(const JoyReading& reading, int axis);
// The held controls of one axis: bit 0 its low end, bit 1 its high end. A centred axis compares as
// X and Y do; an axis resting at 0 is held high past the middle (above 32767), one resting at 65535
// held low below 32768; an unknown or absent axis gives nothing.
uint32_t AxisHeld(AxisRest rest, uint32_t position, int32_t kando);

// The rests of the extra axes of the pad being read, shared by the poll cycle's and the test
// panel's readers (each a whole word, so neither sees half of the other's learning).
class AxisControls {
public:
    // The pad may have changed (a failed reading, a device change, a resume): the next successful
    // reading teaches the rests again. Any thread.
    void Forget();
    // The held controls of a successful reading of a pad that has `caps`: bit 2a the low end of
    // extra axis a, bit 2a + 1 its high end. Learns the rests from this reading first when they
    // are not known; an axis the capabilities do not name gives nothing.
    uint32_t Held(const JoyCaps& caps, const JoyReading& reading, int32_t kando);

private:
    static uint64_t Learn(const JoyCaps& caps, const JoyReading& reading, uint32_t generation);

    std::atomic<uint32_t> generation_{1};
    // generation << 32 | the four rests, four bits each; the rests hold only while the generation
    // is the current one.
    std::atomic<uint64_t> learned_{0};
};

}  // namespace pwstd
