// One poll of the timer thread with every button in use: the pad unchanged (nothing to send) and
// everything changing (a release or a press for every control).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/poll_cycle.h"

namespace pwstd {
namespace {

class ScriptedPad final : public PadSource {
public:
    JoyReading reading{32768, 32768, 0};
    uint32_t read(int32_t, uint32_t, JoyReading& out) override {
        out = reading;
        return 0;
    }
    uint32_t joysticks() override { return 16; }
};

class CountingKeys final : public KeySink {
public:
    int64_t events = 0;
    void send(uint8_t vk, bool) override { events += vk != 0; }
};

class StillClock final : public Clock {
public:
    uint32_t ticks() override { return 500; }  // no rate display inside the measured polls
};

class IgnoredTray final : public TrayIcon {
public:
    void notify(TrayMessage, const TrayRecord&) override {}
};

struct Engine {
    Engine(int16_t repeat, int16_t keyup) {
        state.PadActive = True;
        state.Kando = 16384;
        state.Buttons = kMaxButtons;
        state.Repeat = repeat;
        state.Keyup = keyup;
        state.IconFrame = 1;
        for (int d = 0; d < 4; ++d) state.DirKeys[d] = 37 + d;
        for (int i = 1; i <= kMaxButtons; ++i) state.ButtonKeys[i] = 64 + i;
    }
    SharedState state;
    ScriptedPad pad;
    CountingKeys keys;
    StillClock clock;
    IgnoredTray tray;
    PadReader reader{pad, clock, state.Kando};
    PollCycle poll{state, reader, keys, clock, tray};
};

void BM_PollThirtyButtonsUnchanged(benchmark::State& run) {
    Engine engine(0, 0);
    engine.pad.reading = {0, 0, 0x3FFFFFFFu};
    engine.poll.PadTimerProc();
    for (auto _ : run) engine.poll.PadTimerProc();
    benchmark::DoNotOptimize(engine.keys.events);
}
BENCHMARK(BM_PollThirtyButtonsUnchanged);

void BM_PollEverythingChanging(benchmark::State& run) {
    Engine engine(0, 0);
    const JoyReading a{0, 0, 0x3FFFFFFFu}, b{65535, 65535, 0};
    bool flip = false;
    for (auto _ : run) {
        engine.pad.reading = (flip = !flip) ? a : b;
        engine.poll.PadTimerProc();
    }
    run.counters["keys/poll"] = static_cast<double>(engine.keys.events) / static_cast<double>(run.iterations());
}
BENCHMARK(BM_PollEverythingChanging);

void BM_PollEverythingHeldWithRepeatAndKeyup(benchmark::State& run) {
    Engine engine(1, 1);
    engine.pad.reading = {0, 0, 0x3FFFFFFFu};
    for (auto _ : run) engine.poll.PadTimerProc();
    run.counters["keys/poll"] = static_cast<double>(engine.keys.events) / static_cast<double>(run.iterations());
}
BENCHMARK(BM_PollEverythingHeldWithRepeatAndKeyup);

}  // namespace
}  // namespace pwstd
