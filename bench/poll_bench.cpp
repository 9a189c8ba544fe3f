// One poll of the timer thread with every button in use: the pad unchanged (nothing to send) and
// everything changing (a release or a press for every control); then the same with each option for
// today's pads on.
#include <benchmark/benchmark.h>

#include <cstdint>

#include <memory>

#include "engine/engine.h"
#include "engine/input/joystick_service.h"
#include "engine/input/xinput_pad.h"
#include "tests/support/running_state.h"

namespace pwstd {
namespace {

// A joystick-service pad, its record translated as the program's backend translates it.
class ScriptedPad final : public PadBackend {
public:
    JoyServiceRecord reading{32768, 32768};
    int32_t only_id = -1;  // >= 0: every other joystick id is unplugged
    int32_t count() override { return 16; }
    uint32_t read(int32_t id, const PadQuery& query, PadState& out) override {
        if (only_id >= 0 && id != only_id) return 167;
        out = JoyServiceState(reading, query);
        return 0;
    }
    uint32_t axes = 2, wcaps = kJoyCapsHasPov;
    uint32_t caps(int32_t, PadCaps& out) override {
        out = JoyServiceCaps(axes, wcaps);
        return 0;
    }
};

// Counts the events; with scan codes the held outputs shape each one, with the key's code as its
// scan code, before it reaches the system.
class CountingKeys final : public OutputSink {
public:
    int64_t events = 0;
    uint32_t flags = 0;
    uint32_t scan_code(uint8_t vk) override { return vk; }
    void key(uint8_t vk, uint8_t, uint32_t key_flags) override {
        events += vk != 0;
        flags += key_flags;
    }
    int64_t mouse_events = 0;
    int64_t moved = 0;
    void mouse(uint32_t, int32_t dx, int32_t dy, int32_t) override {
        ++mouse_events;
        moved += dx + dy;
    }
};

class StillClock final : public Clock {
public:
    uint32_t ticks() override { return 500; }  // no rate display inside the measured polls
};

class IgnoredRateSignal final : public RateSignal {
public:
    bool post() override { return true; }
};

// The program's pipeline, built from `options`, on the pads above.
struct Rig {
    explicit Rig(int16_t repeat, int16_t keyup, const Options& options = {}) {
        testing::RunningState(state, bindings, kMaxButtons, repeat, keyup);
        engine = std::make_unique<Engine>(state, options, bindings, pad, options.xinput ? &xinput : nullptr, keys,
                                          clock, rate);
    }
    void Poll() { engine->poll.PadTimerProc(); }
    SharedState state;
    LiveBindings bindings;
    ScriptedPad pad;
    class ScriptedXInput final : public PadBackend {
    public:
        bool connected = true;
        XInputPad pad;
        int32_t count() override { return 4; }
        uint32_t read(int32_t, const PadQuery&, PadState& out) override {
            if (!connected) return 1167;
            out = XInputState(pad);
            return 0;
        }
        uint32_t caps(int32_t, PadCaps& out) override {
            out = XInputCaps();
            return 0;
        }
    } xinput;
    CountingKeys keys;
    StillClock clock;
    IgnoredRateSignal rate;
    std::unique_ptr<Engine> engine;
};

Options With(void (*set)(Options&)) {
    Options options;
    set(options);
    return options;
}

double KeysPerPoll(int64_t events, const benchmark::State& run) {
    return static_cast<double>(events) / static_cast<double>(run.iterations());
}
double KeysPerPoll(const Rig& engine, const benchmark::State& run) { return KeysPerPoll(engine.keys.events, run); }

// Polls that find the pad as it was: after a first poll, nothing changes.
void PollUnchanged(benchmark::State& run, Rig& engine, const JoyServiceRecord& reading) {
    engine.pad.reading = reading;
    engine.Poll();
    for (auto _ : run) engine.Poll();
    benchmark::DoNotOptimize(engine.keys.events);
}

// Polls that find the pad changed every time, between `a` and `b`.
void PollAlternating(benchmark::State& run, Rig& engine, const JoyServiceRecord& a, const JoyServiceRecord& b) {
    bool flip = false;
    for (auto _ : run) {
        engine.pad.reading = (flip = !flip) ? a : b;
        engine.Poll();
    }
    run.counters["keys/poll"] = KeysPerPoll(engine, run);
}

// X, Y, Z, R, U, V, the buttons, the hat.
constexpr JoyServiceRecord kAllHeld{0, 0, 0, 0, 0, 0, 0x3FFFFFFFu}, kNoneHeld{65535, 65535, 0, 0, 0, 0, 0};

void BM_PollThirtyButtonsUnchanged(benchmark::State& run) {
    Rig engine(0, 0);
    PollUnchanged(run, engine, kAllHeld);
}
BENCHMARK(BM_PollThirtyButtonsUnchanged);

void BM_PollEverythingChanging(benchmark::State& run) {
    Rig engine(0, 0);
    PollAlternating(run, engine, kAllHeld, kNoneHeld);
}
BENCHMARK(BM_PollEverythingChanging);

void BM_PollEverythingHeldWithRepeatAndKeyup(benchmark::State& run) {
    Rig engine(1, 1);
    engine.pad.reading = kAllHeld;
    for (auto _ : run) engine.Poll();
    run.counters["keys/poll"] = KeysPerPoll(engine, run);
}
BENCHMARK(BM_PollEverythingHeldWithRepeatAndKeyup);

// "PovStick": the stick centred, the hat at a diagonal giving both directions.
void BM_PollPovStickUnchanged(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.pov_stick = true; }));
    PollUnchanged(run, engine, {32768, 32768, 0, 0, 0, 0, 0x3FFFFFFFu, 22500});
}
BENCHMARK(BM_PollPovStickUnchanged);

void BM_PollPovStickEverythingChanging(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.pov_stick = true; }));
    PollAlternating(run, engine, {32768, 32768, 0, 0, 0, 0, 0x3FFFFFFFu, 31500}, {32768, 32768, 0, 0, 0, 0, 0, 13500});
}
BENCHMARK(BM_PollPovStickEverythingChanging);

// "AnyJoystick" with joystick 0 failing and joystick 3 answering: the poll of the pad found.
void BM_PollAnyJoystickFoundAtThree(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.any_joystick = true; }));
    engine.pad.only_id = 3;
    PollUnchanged(run, engine, kAllHeld);
}
BENCHMARK(BM_PollAnyJoystickFoundAtThree);

// The same poll with a search before it, as after a device change: four readings instead of one.
void BM_PollAnyJoystickSearchingAfterADeviceChange(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.any_joystick = true; }));
    engine.pad.only_id = 3;
    engine.pad.reading = kAllHeld;
    for (auto _ : run) {
        engine.engine->pads.DeviceChanged();
        engine.Poll();
    }
    benchmark::DoNotOptimize(engine.keys.events);
}
BENCHMARK(BM_PollAnyJoystickSearchingAfterADeviceChange);

// "ScanCodes": the host side of each key event is choosing its flags; the scan code itself is
// the system's (MapVirtualKeyW), measured under Wine by tools/measure/measure_calls.
void BM_PollScanCodesEverythingChanging(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.scan_codes = true; }));
    PollAlternating(run, engine, kAllHeld, kNoneHeld);
    benchmark::DoNotOptimize(engine.keys.flags);
}
BENCHMARK(BM_PollScanCodesEverythingChanging);

// "AllAxes" on a pad with all four extra axes: every axis control held, then all changing.
constexpr JoyServiceRecord kAxesRest{32768, 32768, 32768, 32768, 32768, 32768, 0};
constexpr JoyServiceRecord kAllAxesHeld{0, 0, 0, 65535, 0, 65535, 0x3FFFFFFFu};
constexpr JoyServiceRecord kAllAxesOther{65535, 65535, 65535, 0, 65535, 0, 0};

// The axis controls bound to 70..77.
void BindAxes(Rig& engine) {
    BindingTable table = engine.bindings.Current();
    for (int a = 0; a < kAxisControls; ++a) table[AxisControl(a)] = Action::Key(70 + a);
    engine.bindings.Publish(table);
}

void AllAxesEngine(Rig& engine) {
    BindAxes(engine);
    engine.pad.axes = 6;
    engine.pad.wcaps = kJoyCapsHasZ | kJoyCapsHasR | kJoyCapsHasU | kJoyCapsHasV;
    engine.pad.reading = kAxesRest;
    engine.Poll();  // the rests
}

void BM_PollAllAxesUnchanged(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.all_axes = true; }));
    AllAxesEngine(engine);
    PollUnchanged(run, engine, kAllAxesHeld);
}
BENCHMARK(BM_PollAllAxesUnchanged);

void BM_PollAllAxesEverythingChanging(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.all_axes = true; }));
    AllAxesEngine(engine);
    PollAlternating(run, engine, kAllAxesHeld, kAllAxesOther);
}
BENCHMARK(BM_PollAllAxesEverythingChanging);

// "XInput": the pad's state as the library gives it, at user 0 or nowhere.
Options XInputOn() { return With([](Options& o) { o.xinput = true; }); }

void BM_PollXInputPadConnectedUnchanged(benchmark::State& run) {
    Rig engine(0, 0, XInputOn());
    engine.xinput.pad = {0xF3FF, 255, 255, -32768, 32767, 0, 0};
    engine.Poll();
    for (auto _ : run) engine.Poll();
    benchmark::DoNotOptimize(engine.keys.events);
}
BENCHMARK(BM_PollXInputPadConnectedUnchanged);

void BM_PollXInputPadConnectedEverythingChanging(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.xinput = o.all_axes = true; }));
    BindAxes(engine);
    engine.Poll();  // the rests: the sticks centred
    bool flip = false;
    for (auto _ : run) {
        flip = !flip;
        engine.xinput.pad = flip ? XInputPad{0xF3FF, 255, 255, -32768, 32767, -32768, 32767}
                                 : XInputPad{0, 0, 0, 32767, -32768, 32767, -32768};
        engine.Poll();
    }
    run.counters["keys/poll"] = KeysPerPoll(engine.keys.events, run);
}
BENCHMARK(BM_PollXInputPadConnectedEverythingChanging);

// With no XInput pad connected, a poll reads the joystick service and only checks the clock.
void BM_PollXInputNoPadConnected(benchmark::State& run) {
    Rig engine(0, 0, XInputOn());
    engine.xinput.connected = false;
    engine.pad.reading = kAllHeld;
    engine.Poll();
    for (auto _ : run) engine.Poll();
    benchmark::DoNotOptimize(engine.keys.events);
}
BENCHMARK(BM_PollXInputNoPadConnected);

// "Mouse" with the X/Y stick moving the cursor: a poll with the stick pushed half way along a
// diagonal (one relative move most polls), a mouse button and a wheel held, the other buttons keys.
void BM_PollMouseStickInUse(benchmark::State& run) {
    Rig engine(0, 0, With([](Options& o) { o.mouse = true; }));
    engine.state.Wait = 25;
    BindingTable table = engine.bindings.Current();
    table[ButtonControl(1)] = Action::MouseOrKey(1);
    table[ButtonControl(2)] = Action::MouseOrKey(152);
    table.mouse_stick = 1;
    engine.bindings.Publish(table);
    engine.pad.reading = {56000, 56000, 32768, 32768, 32768, 32768, 0x3FFFFFFFu};
    engine.Poll();
    for (auto _ : run) engine.Poll();
    run.counters["mouse/poll"] = KeysPerPoll(engine.keys.mouse_events, run);
    benchmark::DoNotOptimize(engine.keys.moved);
}
BENCHMARK(BM_PollMouseStickInUse);

}  // namespace
}  // namespace pwstd
