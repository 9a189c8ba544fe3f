// One poll of the timer thread with every button in use: the pad unchanged (nothing to send) and
// everything changing (a release or a press for every control); then the same with each option for
// today's pads on.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/key_event.h"
#include "engine/poll_cycle.h"
#include "engine/xinput_map.h"
#include "engine/xinput_source.h"
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
    JoyCaps joy_caps{2, kJoyCapsHasPov};
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
        if (scan_codes_) flags += KeyEventFor(vk, up, true, vk).flags;
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

double KeysPerPoll(int64_t events, const benchmark::State& run) {
    return static_cast<double>(events) / static_cast<double>(run.iterations());
}
double KeysPerPoll(const Engine& engine, const benchmark::State& run) { return KeysPerPoll(engine.keys.events, run); }

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

// "AllAxes" on a pad with all four extra axes: every axis control held, then all changing.
constexpr JoyReading kAxesRest{32768, 32768, 0, kJoyPovCentered, 32768, 32768, 32768, 32768};
constexpr JoyReading kAllAxesHeld{0, 0, 0x3FFFFFFFu, kJoyPovCentered, 0, 65535, 0, 65535};
constexpr JoyReading kAllAxesOther{65535, 65535, 0, kJoyPovCentered, 65535, 0, 65535, 0};

void AllAxesEngine(Engine& engine) {
    engine.state.AllAxes = 1;
    for (int a = 0; a < kAxisControls; ++a) engine.state.AxisKeys[a] = 70 + a;
    engine.pad.joy_caps = {6, kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasV};
    engine.pad.reading = kAxesRest;
    engine.poll.PadTimerProc();  // the rests
}

void BM_PollAllAxesUnchanged(benchmark::State& run) {
    Engine engine(0, 0);
    AllAxesEngine(engine);
    PollUnchanged(run, engine, kAllAxesHeld);
}
BENCHMARK(BM_PollAllAxesUnchanged);

void BM_PollAllAxesEverythingChanging(benchmark::State& run) {
    Engine engine(0, 0);
    AllAxesEngine(engine);
    PollAlternating(run, engine, kAllAxesHeld, kAllAxesOther);
}
BENCHMARK(BM_PollAllAxesEverythingChanging);

// "XInput": the pad's state as the library gives it, at user 0 or nowhere.
class ScriptedXInput final : public XInputPort {
public:
    bool connected = true;
    XInputPad pad;
    uint32_t state(uint32_t, XInputPad& out) override {
        if (!connected) return 1167;
        out = pad;
        return 0;
    }
};

struct XInputEngine {
    XInputEngine() { testing::RunningState(state, kMaxButtons, 0, 0); state.XInput = 1; }
    SharedState state;
    ScriptedPad joystick;
    ScriptedXInput xinput;
    StillClock clock;
    XInputPadSource pads{joystick, &xinput, clock, state};
    CountingKeys keys;
    IgnoredRateSignal rate;
    PadReader reader{pads, clock, state};
    PollCycle poll{state, reader, keys, clock, rate};
};

void BM_PollXInputPadConnectedUnchanged(benchmark::State& run) {
    XInputEngine engine;
    engine.xinput.pad = {0xF3FF, 255, 255, -32768, 32767, 0, 0};
    engine.poll.PadTimerProc();
    for (auto _ : run) engine.poll.PadTimerProc();
    benchmark::DoNotOptimize(engine.keys.events);
}
BENCHMARK(BM_PollXInputPadConnectedUnchanged);

void BM_PollXInputPadConnectedEverythingChanging(benchmark::State& run) {
    XInputEngine engine;
    engine.state.AllAxes = 1;
    for (int a = 0; a < kAxisControls; ++a) engine.state.AxisKeys[a] = 70 + a;
    engine.poll.PadTimerProc();  // the rests: the sticks centred
    bool flip = false;
    for (auto _ : run) {
        flip = !flip;
        engine.xinput.pad = flip ? XInputPad{0xF3FF, 255, 255, -32768, 32767, -32768, 32767}
                                 : XInputPad{0, 0, 0, 32767, -32768, 32767, -32768};
        engine.poll.PadTimerProc();
    }
    run.counters["keys/poll"] = KeysPerPoll(engine.keys.events, run);
}
BENCHMARK(BM_PollXInputPadConnectedEverythingChanging);

// With no XInput pad connected, a poll reads the joystick service and only checks the clock.
void BM_PollXInputNoPadConnected(benchmark::State& run) {
    XInputEngine engine;
    engine.xinput.connected = false;
    engine.joystick.reading = kAllHeld;
    engine.poll.PadTimerProc();
    for (auto _ : run) engine.poll.PadTimerProc();
    benchmark::DoNotOptimize(engine.keys.events);
}
BENCHMARK(BM_PollXInputNoPadConnected);

}  // namespace
}  // namespace pwstd
