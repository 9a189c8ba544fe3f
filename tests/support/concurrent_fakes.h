#pragma once
// Fakes of the engine's ports that two threads may use at once, as the poll timer's thread and the
// user-interface thread do in the program. They count instead of recording, so a run of seconds
// stays small.
#include <atomic>
#include <chrono>
#include <cstdint>

#include "engine/input/pad_backend.h"
#include "engine/output/key_event.h"
#include "engine/output/output_sink.h"
#include "engine/ports.h"

namespace pwstd::testing {

// A joystick whose position any thread may change; can fail every other call.
class SharedPadSource final : public PadBackend {
public:
    std::atomic<uint32_t> x{32768}, y{32768}, buttons{0};
    std::atomic<uint32_t> code{0};              // nonzero: every reading fails with it
    std::atomic<bool> fail_every_other{false};  // odd-numbered calls fail with 167
    std::atomic<int> calls{0};

    uint32_t read(int32_t, const PadQuery&, PadState& out) override {
        const int n = calls.fetch_add(1);
        if (code != 0) return code;
        if (fail_every_other && n % 2 == 1) return 167;
        out = {};
        out.axis[kAxisX] = x;
        out.axis[kAxisY] = y;
        out.buttons = buttons;
        return 0;
    }
    int32_t count() override { return 16; }
    uint32_t caps(int32_t, PadCaps& out) override {
        out = {AxisBit(kAxisX) | AxisBit(kAxisY), true, false};
        return 0;
    }
};

// Counts presses and releases; remembers whether a key code outside 1..255 would have been sent.
class CountingKeySink final : public OutputSink {
public:
    std::atomic<int64_t> presses{0}, releases{0};
    std::atomic<bool> sent_zero{false};

    uint32_t scan_code(uint8_t) override { return 0; }
    void key(uint8_t vk, uint8_t, uint32_t flags) override {
        if (vk == 0) sent_zero = true;
        ((flags & kKeyEventKeyUp) != 0 ? releases : presses).fetch_add(1);
    }
    void mouse(uint32_t, int32_t, int32_t, int32_t) override {}
};

// The tick count of the real passing time, in milliseconds since the clock was made.
class SteadyClock final : public Clock {
public:
    uint32_t ticks() override {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
    }

private:
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Counts the rate signals; any thread.
class CountingRateSignal final : public RateSignal {
public:
    std::atomic<int> posts{0};
    bool post() override {
        posts.fetch_add(1);
        return true;
    }
};

}  // namespace pwstd::testing
