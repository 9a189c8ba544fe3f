#pragma once
// The only place that talks to the joystick. Each call makes its own reading into its own record,
// so the poll cycle (timer thread) and the test panel (UI thread) can never mix two readings.
#include <atomic>
#include <cstdint>

#include "engine/axis_controls.h"
#include "engine/ports.h"
#include "engine/relaxed.h"
#include "engine/shared_state.h"

namespace pwstd {

// Axis position to direction: -1 below `kando`, +1 above 65536 - `kando`, else 0.
int32_t AxisDirection(uint32_t position, int32_t kando);
// 1 when button i (1..32) is set in the mask, else 0.
int32_t ButtonBit(int32_t i, uint32_t mask);

// The directions of a hat position in hundredths of a degree: the nearest of up (0), the
// diagonals and right, down and left at every 4500, so 2249 is up and 2250 up-right; a value
// outside 0..35999 (JOY_POVCENTERED among them) gives none.
struct HatDirection {
    int32_t x = 0;  // -1 left, +1 right
    int32_t y = 0;  // -1 up, +1 down
};
HatDirection HatDirections(uint32_t pov);

class PadReader {
public:
    // Kando, PovStick, AnyJoystick and AllAxes of `state`, each read at every call. The hat and the
    // extra axes are used only where the pad says it has them: with either option its
    // capabilities are asked once when a reading finds the pad (the first success after none or
    // after a failure) and again after a device change.
    PadReader(PadSource& source, Clock& clock, const SharedState& state);

    // `id` is the joystick read while AnyJoystick is 0. With AnyJoystick 1 the reader reads the
    // joystick it found: the lowest id, from 0 up, that gave a reading at the last search. The
    // search runs at the first reading, after a device change, and whenever that joystick fails;
    // while none answers, the back-off below limits it to once a second.
    PadSnapshot ReadPad(int32_t id);
    int32_t ReadPadX(int32_t id);         // 0 when the reading fails
    int32_t ReadPadY(int32_t id);         // 0 when the reading fails
    uint32_t ReadPadButtons(int32_t id);  // 0 when the reading fails

    // A device was added or removed (WM_DEVICECHANGE): the next reading asks the service again even
    // while a failed joystick is being left alone. Any thread.
    void DeviceChanged();
    // The pad runs again after a pause: the extra axes' rests are learned again. Any thread.
    void Resumed();

    // How long a joystick that failed is left alone before it is asked again. A disconnected
    // joystick can make each call take hundreds of milliseconds on some systems.
    static constexpr uint32_t kRetryAfterMs = 1000;
    // ReadError of a reading whose source failed in an unexpected way (threw).
    static constexpr int32_t kReaderFailure = 51;
    // The most joystick ids a search asks, whatever the service claims: the multimedia joystick
    // service numbers at most 16.
    static constexpr int32_t kMaxJoysticks = 16;

private:
    // One reading into the caller's own record, or the remembered failure while backing off.
    uint32_t Read(int32_t id, bool pov, JoyReading& reading);
    // The joystick found, or a search for the lowest one that answers (AnyJoystick).
    uint32_t ReadAny(uint32_t epoch, uint32_t flags, JoyReading& reading, int32_t& read_id);
    uint32_t Call(int32_t id, uint32_t flags, JoyReading& reading);
    // Asks joystick `id` what it has into caps_; a failure leaves no axes and no hat.
    void AskCaps(int32_t id);

    PadSource& source_;
    Clock& clock_;
    const Relaxed<int32_t>& kando_;
    const Relaxed<int16_t>& pov_stick_;
    const Relaxed<int16_t>& any_joystick_;
    const Relaxed<int16_t>& all_axes_;
    AxisControls axes_;
    // Shared by every thread that reads; each is a whole value, so no reading mixes with another.
    std::atomic<uint32_t> failing_code_{0};  // nonzero while the joystick is being left alone
    // The tick count and device epoch of the last failed call, or of the retry a thread has
    // claimed: epoch << 32 | ticks. One word, so exactly one thread can claim each retry.
    std::atomic<uint64_t> gate_{0};
    std::atomic<uint32_t> epoch_{0};  // counts DeviceChanged calls
    // The joystick AnyJoystick found and the device epoch of its search: epoch << 32 | (id + 1);
    // 0 while none is known. One word, so the poll cycle and the test panel read the same pad.
    std::atomic<uint64_t> found_{0};
    // The capabilities last asked, axes << 32 | caps, and for which pad they were asked in the
    // same form as found_; 0 until a reading finds a pad.
    std::atomic<uint64_t> caps_{0};
    std::atomic<uint64_t> caps_asked_{0};
};

}  // namespace pwstd
