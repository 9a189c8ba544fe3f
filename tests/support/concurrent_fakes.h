#pragma once
// Fakes of the engine's ports that two threads may use at once, as the poll timer's thread and the
// user-interface thread do in the program. They count instead of recording, so a run of seconds
// stays small.
#include <atomic>
#include <chrono>
#include <cstdint>

#include "engine/ports.h"

namespace pwstd::testing {

// A joystick whose position any thread may change; can fail every other call.
class SharedPadSource final : public PadSource {
public:
    std::atomic<uint32_t> x{32768}, y{32768}, buttons{0};
    std::atomic<uint32_t> code{0};              // nonzero: every reading fails with it
    std::atomic<bool> fail_every_other{false};  // odd-numbered calls fail with 167
    std::atomic<int> calls{0};

    uint32_t read(int32_t, uint32_t, JoyReading& out) override {
        const int n = calls.fetch_add(1);
        if (code != 0) return code;
        if (fail_every_other && n % 2 == 1) return 167;
        out = {x, y, buttons};
        return 0;
    }
    uint32_t joysticks() override { return 16; }
    uint32_t caps(int32_t, JoyCaps& out) override {
        out = {2, 0};
        return 0;
    }
};

// Counts presses and releases; remembers whether a key code outside 1..255 would have been sent.
class CountingKeySink final : public KeySink {
public:
    std::atomic<int64_t> presses{0}, releases{0};
    std::atomic<bool> sent_zero{false};

    void send(uint8_t vk, bool up) override {
        if (vk == 0) sent_zero = true;
        (up ? releases : presses).fetch_add(1);
    }
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
