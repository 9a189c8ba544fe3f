// The engine with the program's two threads: the poll cycle on its timer thread while the
// user-interface thread changes every setting, and one joystick reader shared by the poll cycle and
// the test panel. Meant for ThreadSanitizer (ctest -L concurrency under the tsan preset).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <random>
#include <thread>

#include "engine/engine.h"
#include "tests/support/concurrent_fakes.h"
#include "tests/support/fakes.h"
#include "tests/support/running_state.h"

namespace pwstd {
namespace {

using namespace std::chrono_literals;
using namespace pwstd::testing;

// Runs `body` on a thread of its own every millisecond or so until `stop`.
class Ticker {
public:
    template <class F>
    explicit Ticker(F body)
        : thread_([this, body] {
              while (!stop_) {
                  body();
                  ++ticks_;
                  std::this_thread::sleep_for(1ms);
              }
          }) {}
    ~Ticker() { Stop(); }
    int Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return ticks_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> ticks_{0};
    std::thread thread_;
};

TEST(Concurrency, PollCycleRunsWhileTheUserInterfaceChangesEverySetting) {
    SharedState state;
    LiveBindings bindings;
    RunningState(state, bindings, 4, 1, 1);
    SharedPadSource source;
    SteadyClock clock;
    CountingKeySink keys;
    CountingRateSignal rate;
    Engine engine(state, Options{}, bindings, source, nullptr, keys, clock, rate);
    PollCycle& poll = engine.poll;

    Ticker timer([&] { poll.PadTimerProc(); });
    std::mt19937 random(20240607);
    bool frames_in_range = true;
    int rates_taken = 0;
    bool bad_rate = false;  // a display the poll cycle should never hand over
    // The UI thread's side of the rate display, as the rate signal would have it run.
    auto take_rate = [&] {
        if (const std::optional<PollRate> rate_display = poll.TakePollRate()) {
            ++rates_taken;
            const PollRate r = *rate_display;
            bad_rate = bad_rate || r.frame < 1 || r.frame > 4 || r.polls < 0;
        }
    };
    const auto end = std::chrono::steady_clock::now() + 2500ms;
    while (std::chrono::steady_clock::now() < end) {
        switch (random() % 11) {
            case 0: state.Kando = static_cast<int32_t>(random() % 32768); break;
            case 1: state.Buttons = static_cast<int32_t>(1 + random() % 30); break;
            case 2: state.Repeat = static_cast<int16_t>(random() % 2); break;
            case 3: state.Keyup = static_cast<int16_t>(random() % 2); break;
            case 4:
            case 5: {
                BindingTable table = bindings.Current();
                table[static_cast<int>(random() % (4 + kMaxButtons))] = Action::Key(static_cast<int32_t>(1 + random() % 255));
                bindings.Publish(table);
                break;
            }
            case 6: state.PadActive = state.PadActive == True ? False : True; break;
            case 7:
                source.x = static_cast<uint32_t>(random() % 65536);
                source.y = static_cast<uint32_t>(random() % 65536);
                break;
            case 8: source.buttons = static_cast<uint32_t>(random()); break;
            case 9: take_rate(); break;
            default: {
                const int16_t frame = state.IconFrame;
                frames_in_range = frames_in_range && frame >= 1 && frame <= 4;
            }
        }
    }
    // Running on for two more seconds guarantees a rate display while the pad runs, however
    // the random pauses fell.
    state.PadActive = True;
    std::this_thread::sleep_for(2000ms);
    const int polls = timer.Stop();
    take_rate();

    EXPECT_GT(polls, 100);
    EXPECT_TRUE(frames_in_range);
    EXPECT_FALSE(keys.sent_zero) << "every key code sent was one of the map's";
    EXPECT_GT(keys.presses.load(), 0);
    EXPECT_GT(rate.posts.load(), 0);
    EXPECT_GT(rates_taken, 0);
    EXPECT_FALSE(bad_rate);
}

// Readings that tell apart which call made them: even calls alternate between "left, up and
// button 1" and "right, down and button 2", odd calls fail. A reading made of two calls' fields
// cannot look like either.
class AlternatingPadSource final : public PadBackend {
public:
    std::atomic<int> calls{0};
    uint32_t read(int32_t, const PadQuery&, PadState& out) override {
        const int n = calls.fetch_add(1);
        if (n % 2 == 1) return 167;
        out = {};
        const uint32_t at = n % 4 == 0 ? 0 : 65535;
        out.axis[kAxisX] = out.axis[kAxisY] = at;
        out.buttons = n % 4 == 0 ? 1 : 2;
        return 0;
    }
    int32_t count() override { return 4; }
    uint32_t caps(int32_t, PadCaps& out) override {
        out = {AxisBit(kAxisX) | AxisBit(kAxisY), true, false};
        return 0;
    }
};

// Also with the options for today's pads on: the hat, and the search for the joystick that
// answers, which a failing reading on either thread starts.
TEST(Concurrency, OneReaderServesThePollCycleAndTheTestPanelWithoutMixingReadings) {
    for (const bool options : {false, true}) {
        SCOPED_TRACE(options);
        AlternatingPadSource source;
        SteadyClock clock;
        Pads pads(source, nullptr, clock, InputOptions{options, options, options});
        std::atomic<bool> mixed{false};
        std::atomic<int> reads{0};

        Ticker timer([&] {
            const Snapshot s = Decode(pads.Read(0), 16384, options);
            const bool a = s.DirX == -1 && s.DirY == -1 && s.ButtonMask == 1;
            const bool b = s.DirX == 1 && s.DirY == 1 && s.ButtonMask == 2;
            const bool failed = s.ReadError == 167 && s.DirX == 0 && s.DirY == 0 && s.ButtonMask == 0;
            if (!(s.ReadError == 0 && (a || b)) && !failed) mixed = true;
            ++reads;
        });
        const auto end = std::chrono::steady_clock::now() + 2s;
        for (int i = 0; std::chrono::steady_clock::now() < end; ++i) {
            const Snapshot x = Decode(pads.Read(0), 16384, options);
            const Snapshot y = Decode(pads.Read(0), 16384, options);
            const Snapshot buttons = Decode(pads.Read(0), 16384, options);
            if (x.DirX != x.DirY || y.DirX != y.DirY || buttons.ButtonMask > 2) mixed = true;
            reads += 3;
            if (i % 64 == 0) pads.DeviceChanged();  // devices come and go: many real calls
        }
        timer.Stop();

        EXPECT_FALSE(mixed);
        EXPECT_GT(source.calls.load(), 10);
        // The search answers a failed reading with the next joystick at once: nothing to leave alone.
        if (!options) {
            EXPECT_LT(source.calls.load(), reads.load()) << "failed readings are left alone for a while";
        }
    }
}

// Each batch of keys a poll sends: whether its presses came from more than one map.
class MapCheckingSink final : public OutputSink {
public:
    std::atomic<int> batches{0};
    std::atomic<bool> torn{false};
    void begin_keys() override {
        ++batches;
        first_ = 0;
    }
    uint32_t scan_code(uint8_t) override { return 0; }
    void key(uint8_t vk, uint8_t, uint32_t flags) override {
        if ((flags & kKeyEventKeyUp) != 0) return;
        if (first_ == 0) first_ = vk;
        if (vk != first_) torn = true;
    }
    void mouse(uint32_t, int32_t, int32_t, int32_t) override {}

private:
    uint8_t first_ = 0;  // the poll thread's own
};

// Templates switched as fast as the UI thread can while every control is held and pressed again at
// each poll: every poll's presses come from one whole map.
TEST(Concurrency, EveryPollSendsTheKeysOfOneWholeMap) {
    SharedState state;
    LiveBindings bindings;
    RunningState(state, bindings, kMaxButtons, 1, 0);
    SharedPadSource source;
    source.x = 0;
    source.y = 0;
    source.buttons = 0x3FFFFFFF;
    SteadyClock clock;
    CountingRateSignal rate;
    MapCheckingSink keys;
    Engine engine(state, Options{}, bindings, source, nullptr, keys, clock, rate);
    BindingTable maps[2];
    for (int m = 0; m < 2; ++m) {
        for (int c = 0; c < 4 + kMaxButtons; ++c) maps[m][c] = Action::Key(10 + 10 * m);
    }

    bindings.Publish(maps[1]);  // every poll from the first reads one of the two maps
    Ticker timer([&] { engine.poll.PadTimerProc(); });
    const auto end = std::chrono::steady_clock::now() + 1500ms;
    for (int i = 0; std::chrono::steady_clock::now() < end; ++i) bindings.Publish(maps[i % 2]);
    timer.Stop();

    EXPECT_GT(keys.batches.load(), 100);
    EXPECT_FALSE(keys.torn) << "a poll pressed keys of two maps";
}

}  // namespace
}  // namespace pwstd
