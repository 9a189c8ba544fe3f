#pragma once
// The only place that talks to the joystick. Each call makes its own reading into its own record,
// so the poll cycle (timer thread) and the test panel (UI thread) can never mix two readings.
#include <atomic>
#include <cstdint>

#include "engine/ports.h"
#include "engine/relaxed.h"
#include "engine/shared_state.h"

namespace pwstd {

// Axis position to direction: -1 below `kando`, +1 above 65536 - `kando`, else 0.
int32_t AxisDirection(uint32_t position, int32_t kando);
// 1 when button i (1..32) is set in the mask, else 0.
int32_t ButtonBit(int32_t i, uint32_t mask);

class PadReader {
public:
    // `kando` is read at every call, so a change applies to the next reading.
    PadReader(PadSource& source, Clock& clock, const Relaxed<int32_t>& kando);

    PadSnapshot ReadPad(int32_t id);
    int32_t ReadPadX(int32_t id);         // 0 when the reading fails
    int32_t ReadPadY(int32_t id);         // 0 when the reading fails
    uint32_t ReadPadButtons(int32_t id);  // 0 when the reading fails

    // A device was added or removed (WM_DEVICECHANGE): the next reading asks the service again even
    // while a failed joystick is being left alone. Any thread.
    void DeviceChanged();

    // How long a joystick that failed is left alone before it is asked again. A disconnected
    // joystick can make each call take hundreds of milliseconds on some systems.
    static constexpr uint32_t kRetryAfterMs = 1000;
    // ReadError of a reading whose source failed in an unexpected way (threw).
    static constexpr int32_t kReaderFailure = 51;

private:
    // One reading into the caller's own record, or the remembered failure while backing off.
    uint32_t Read(int32_t id, JoyReading& reading);

    PadSource& source_;
    Clock& clock_;
    const Relaxed<int32_t>& kando_;
    // Shared by every thread that reads; each is a whole value, so no reading mixes with another.
    std::atomic<uint32_t> failing_code_{0};  // nonzero while the joystick is being left alone
    // The tick count and device epoch of the last failed call, or of the retry a thread has
    // claimed: epoch << 32 | ticks. One word, so exactly one thread can claim each retry.
    std::atomic<uint64_t> gate_{0};
    std::atomic<uint32_t> epoch_{0};  // counts DeviceChanged calls
};

}  // namespace pwstd
