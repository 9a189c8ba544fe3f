// One poll of the timer thread with every button in use: the pad unchanged (nothing to send) and
// everything changing (a release or a press for every control); then the same with each option for
// today's pads on.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/key_event.h"
#include "engine/poll_cycle.h"
#include "tests/support/running_state.h"

namespace pwstd {
namespace {

class ScriptedPad final : public PadSource {
public:
    JoyReading reading{32768, 32768, 0};
    int32_t only_id = -1;  // >= 0: every other joystick id is unplugged
    uint32_t read(int32_t id, uint32_t, JoyReading& out) override {
        if (only_id >= 0 && id != only_id) return 167;
        out = reading;
        return 0;
    }
    uint32_t joysticks() override { return 16; }
    JoyCaps joy_caps{2, 0};
    uint32_t caps(int32_t, JoyCaps& out) override {
        out = joy_caps;
        return 0;
    }
};

// Counts the events; with scan codes, shapes each one as the program's key sink does before it
// calls the system.
class CountingKeys final : public KeySink {
public:
    explicit CountingKeys(bool scan_codes = false) : scan_codes_(scan_codes) {}
    int64_t events = 0;
    uint32_t flags = 0;
    void send(uint8_t vk, bool up) override {
        events += vk != 0;
        if (scan_codes_) flags += KeyEventFor(vk, up, true).flags;
    }

private:
    bool scan_codes_;
};

class StillClock final : public Clock {
public:
    uint32_t ticks() override { return 500; }  // no rate display inside the measured polls
};

class IgnoredRateSignal final : public RateSignal {
public:
    bool post() override { return true; }
};

struct Engine {
    Engine(int16_t repeat, int16_t keyup, bool scan_codes = false) : keys(scan_codes) {
        testing::RunningState(state, kMaxButtons, repeat, keyup);
    }
    SharedState state;
    ScriptedPad pad;
    CountingKeys keys;
    StillClock clock;
    IgnoredRateSignal rate;
    PadReader reader{pad, clock, state};
    PollCycle poll{state, reader, keys, clock, rate};
};

double KeysPerPoll(const Engine& engine, const benchmark::State& run) {
    return static_cast<double>(engine.keys.events) / static_cast<double>(run.iterations());
}

// Polls that find the pad as it was: after a first poll, nothing changes.
void PollUnchanged(benchmark::State& run, Engine& engine, const JoyReading& reading) {
    engine.pad.reading = reading;
    engine.poll.PadTimerProc();
    for (auto _ : run) engine.poll.PadTimerProc();
    benchmark::DoNotOptimize(engine.keys.events);
}

// Polls that find the pad changed every time, between `a` and `b`.
void PollAlternating(benchmark::State& run, Engine& engine, const JoyReading& a, const JoyReading& b) {
    bool flip = false;
    for (auto _ : run) {
        engine.pad.reading = (flip = !flip) ? a : b;
        engine.poll.PadTimerProc();
    }
    run.counters["keys/poll"] = KeysPerPoll(engine, run);
}

constexpr JoyReading kAllHeld{0, 0, 0x3FFFFFFFu}, kNoneHeld{65535, 65535, 0};

void BM_PollThirtyButtonsUnchanged(benchmark::State& run) {
    Engine engine(0, 0);
    PollUnchanged(run, engine, kAllHeld);
}
BENCHMARK(BM_PollThirtyButtonsUnchanged);

void BM_PollEverythingChanging(benchmark::State& run) {
    Engine engine(0, 0);
    PollAlternating(run, engine, kAllHeld, kNoneHeld);
}
BENCHMARK(BM_PollEverythingChanging);

void BM_PollEverythingHeldWithRepeatAndKeyup(benchmark::State& run) {
    Engine engine(1, 1);
    engine.pad.reading = kAllHeld;
    for (auto _ : run) engine.poll.PadTimerProc();
    run.counters["keys/poll"] = KeysPerPoll(engine, run);
}
BENCHMARK(BM_PollEverythingHeldWithRepeatAndKeyup);

// "PovStick": the stick centred, the hat at a diagonal giving both directions.
void BM_PollPovStickUnchanged(benchmark::State& run) {
    Engine engine(0, 0);
    engine.state.PovStick = 1;
    PollUnchanged(run, engine, {32768, 32768, 0x3FFFFFFFu, 22500});
}
BENCHMARK(BM_PollPovStickUnchanged);

void BM_PollPovStickEverythingChanging(benchmark::State& run) {
    Engine engine(0, 0);
    engine.state.PovStick = 1;
    PollAlternating(run, engine, {32768, 32768, 0x3FFFFFFFu, 31500}, {32768, 32768, 0, 13500});
}
BENCHMARK(BM_PollPovStickEverythingChanging);

// "AnyJoystick" with joystick 0 failing and joystick 3 answering: the poll of the pad found.
void BM_PollAnyJoystickFoundAtThree(benchmark::State& run) {
    Engine engine(0, 0);
    engine.state.AnyJoystick = 1;
    engine.pad.only_id = 3;
    PollUnchanged(run, engine, kAllHeld);
}
BENCHMARK(BM_PollAnyJoystickFoundAtThree);

// The same poll with a search before it, as after a device change: four readings instead of one.
void BM_PollAnyJoystickSearchingAfterADeviceChange(benchmark::State& run) {
    Engine engine(0, 0);
    engine.state.AnyJoystick = 1;
    engine.pad.only_id = 3;
    engine.pad.reading = kAllHeld;
    for (auto _ : run) {
        engine.reader.DeviceChanged();
        engine.poll.PadTimerProc();
    }
    benchmark::DoNotOptimize(engine.keys.events);
}
BENCHMARK(BM_PollAnyJoystickSearchingAfterADeviceChange);

// "ScanCodes": the host side of each key event is choosing its flags; the scan code itself is
// the system's (MapVirtualKeyW), measured under Wine by tools/measure/measure_calls.
void BM_PollScanCodesEverythingChanging(benchmark::State& run) {
    Engine engine(0, 0, true);
    PollAlternating(run, engine, kAllHeld, kNoneHeld);
    benchmark::DoNotOptimize(engine.keys.flags);
}
BENCHMARK(BM_PollScanCodesEverythingChanging);

}  // namespace
}  // namespace pwstd
