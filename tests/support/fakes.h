#pragma once
// Recording fakes of the engine's ports. Each records what it was asked, in order; when given a
// shared CallLog, it also appends one line per call there, so a test can check the order of calls
// across several services ("tray add", "timer set 25 5", ...).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/bindings/controls.h"
#include "engine/input/joystick_service.h"
#include "engine/input/pads.h"
#include "engine/input/pad_backend.h"
#include "engine/output/key_event.h"
#include "engine/output/mouse_outputs.h"
#include "engine/output/output_sink.h"
#include "engine/ports.h"

namespace pwstd::testing {

using CallLog = std::vector<std::string>;

inline void Note(CallLog* log, std::string line) {
    if (log) log->push_back(std::move(line));
}

// A joystick reading as the joystick service records it (JOYINFOEX): X, Y, the button mask, the
// hat in hundredths of a degree (65535 centred), then Z, R, U and V.
struct FakeReading {
    uint32_t Xpos = 32768;
    uint32_t Ypos = 32768;
    uint32_t Buttons = 0;
    uint32_t Pov = kJoyPovCentered;
    uint32_t Zpos = 0;
    uint32_t Rpos = 0;
    uint32_t Upos = 0;
    uint32_t Vpos = 0;
};

// What a joystick says it has (JOYCAPS): wNumAxes and the wCaps flags.
struct FakeCaps {
    uint32_t axes = 0;
    uint32_t caps = 0;
};

// A pad of the joystick service whose next reading the test sets; counts the calls. Its readings
// and capabilities go through the service's own translation, and it records the flags a real call
// would have passed.
class FakePadSource final : public PadBackend {
public:
    FakeReading reading{32768, 32768, 0};
    uint32_t code = 0;  // nonzero: the reading fails with this code
    int32_t only_id = -1;   // >= 0: only this joystick id answers, every other is unplugged (167)
    int32_t devices = 16;   // what count() reports
    int calls = 0;
    std::vector<int32_t> ids;           // the id of every call, in order
    std::function<void()> before_read;  // runs at every call, e.g. to script a sequence

    int32_t count() override { return devices; }
    uint32_t read(int32_t id, const PadQuery& query, PadState& out) override {
        ++calls;
        last_id = id;
        last_flags = JoyServiceFlags(query);
        ids.push_back(id);
        if (before_read) before_read();
        if (code != 0) return code;
        if (only_id >= 0 && id != only_id) return 167;
        const FakeReading& r = reading;
        out = JoyServiceState({r.Xpos, r.Ypos, r.Zpos, r.Rpos, r.Upos, r.Vpos, r.Buttons, r.Pov}, query);
        return 0;
    }
    FakeCaps joy_caps{2, kJoyCapsHasPov};  // what caps() reports: X, Y and a hat unless a test says otherwise
    uint32_t caps_code = 0;                // nonzero: caps() fails with this code
    std::vector<int32_t> caps_ids;         // the id of every caps() call, in order
    int caps_calls = 0;
    uint32_t caps(int32_t id, PadCaps& out) override {
        ++caps_calls;
        caps_ids.push_back(id);
        if (caps_code != 0) return caps_code;
        out = JoyServiceCaps(joy_caps.axes, joy_caps.caps);
        return 0;
    }
    void Centre() { reading = {32768, 32768, 0}; }
    int32_t last_id = -1;
    uint32_t last_flags = 0;
};

// A reading decoded as the poll and the test panel decode it.
struct Snapshot {
    int32_t DirX = 0;         // -1 left, 0 centre, +1 right
    int32_t DirY = 0;         // -1 up, 0 centre, +1 down
    uint32_t ButtonMask = 0;  // bit i-1 set: button i pressed
    int32_t ReadError = 0;    // the failure's code, then all else 0
    uint32_t AxisMask = 0;    // bit a: axis control a (Z low .. V high) held
};
inline Snapshot Decode(const PadReading& r, int32_t kando, bool hat) {
    if (r.code != 0) return {0, 0, 0, static_cast<int32_t>(r.code), 0};
    const HatDirection d = StickDirections(r.state, kando, hat);
    return {d.x, d.y, r.state.buttons, 0, AxisEnds(r.state, kando)};
}

struct KeyEvent {
    uint8_t vk;
    bool up;
    bool operator==(const KeyEvent&) const = default;
};

// Records every key event; the scan codes it hands out and the ones sent can be set and read.
class RecordingKeySink final : public OutputSink {
public:
    std::vector<KeyEvent> events;
    CallLog* log = nullptr;
    // What scan_code() answers for a key (0 for the others), and each event's scan code and flags.
    std::function<uint32_t(uint8_t)> scan_codes;
    std::vector<std::pair<uint8_t, uint32_t>> shapes;
    int batches = 0;  // begin_keys calls

    void begin_keys() override { ++batches; }
    uint32_t scan_code(uint8_t vk) override { return scan_codes ? scan_codes(vk) : 0; }
    void key(uint8_t vk, uint8_t scan, uint32_t flags) override {
        const bool up = (flags & kKeyEventKeyUp) != 0;
        events.push_back({vk, up});
        shapes.emplace_back(scan, flags);
        Note(log, std::string(up ? "release " : "press ") + std::to_string(vk));
    }
    // Mouse events as MOUSEINPUT has them, each with the number of key events sent before it.
    struct MouseEvent {
        uint32_t flags;
        int32_t dx, dy, data;
        size_t after_keys;
    };
    std::vector<MouseEvent> mice;
    void mouse(uint32_t flags, int32_t dx, int32_t dy, int32_t data) override {
        mice.push_back({flags, dx, dy, data, events.size()});
        Note(log, MouseText(mice.back()));
    }
    // "move 20 0", "left down", "x2 up", "wheel -120", "hwheel 120".
    static std::string MouseText(const MouseEvent& m) {
        switch (m.flags) {
            case kMouseMove: return "move " + std::to_string(m.dx) + " " + std::to_string(m.dy);
            case kMouseLeftDown: return "left down";
            case kMouseLeftUp: return "left up";
            case kMouseRightDown: return "right down";
            case kMouseRightUp: return "right up";
            case kMouseMiddleDown: return "middle down";
            case kMouseMiddleUp: return "middle up";
            case kMouseXDown: return "x" + std::to_string(m.data) + " down";
            case kMouseXUp: return "x" + std::to_string(m.data) + " up";
            case kMouseWheel: return "wheel " + std::to_string(m.data);
            case kMouseHWheel: return "hwheel " + std::to_string(m.data);
            default: return "mouse " + std::to_string(m.flags);
        }
    }
    // "press 90, release 90, left down": the events as a test states them, in the order sent.
    std::string Describe() const {
        std::string text;
        size_t m = 0;
        const auto add = [&text](const std::string& item) { text += (text.empty() ? "" : ", ") + item; };
        for (size_t k = 0; k <= events.size(); ++k) {
            for (; m < mice.size() && mice[m].after_keys == k; ++m) add(MouseText(mice[m]));
            if (k < events.size()) add((events[k].up ? "release " : "press ") + std::to_string(events[k].vk));
        }
        return text;
    }
    // Describes and forgets what was sent so far.
    std::string Take() {
        std::string text = Describe();
        events.clear();
        shapes.clear();
        mice.clear();
        return text;
    }
};

class FakeClock final : public Clock {
public:
    uint32_t now = 0;
    uint32_t step = 0;  // added after every reading
    uint32_t ticks() override {
        const uint32_t t = now;
        now += step;
        return t;
    }
};

// A shell that takes every call unless `answer` says otherwise; a refused call is logged with
// " refused" at the end.
class RecordingTrayIcon final : public TrayIcon {
public:
    struct Call {
        TrayMessage message;
        TrayRecord record;
    };
    std::vector<Call> calls;
    CallLog* log = nullptr;
    std::function<bool(TrayMessage)> answer;

    bool notify(TrayMessage message, const TrayRecord& record) override {
        calls.push_back({message, record});
        const bool taken = !answer || answer(message);
        static const char* const names[] = {"add", "modify", "delete"};
        Note(log, std::string("tray ") + names[static_cast<int>(message)] + " " + std::to_string(record.flags) +
                      " " + std::to_string(record.icon) + " " + record.tip + (taken ? "" : " refused"));
        return taken;
    }
};

// Counts the rate signals the poll cycle gives the UI thread.
class RecordingRateSignal final : public RateSignal {
public:
    int posts = 0;
    bool queue_full = false;  // true: the signal cannot be queued
    CallLog* log = nullptr;
    bool post() override {
        ++posts;
        Note(log, queue_full ? "rate signal refused" : "rate signal");
        return !queue_full;
    }
};

class RecordingPollTimer final : public PollTimer {
public:
    CallLog calls;
    CallLog* log = nullptr;
    int32_t next_id = 1;  // the id set_event returns next; 0 models a failure

    void begin_period(int32_t ms) override { Record("begin_period " + std::to_string(ms)); }
    void end_period(int32_t ms) override { Record("end_period " + std::to_string(ms)); }
    int32_t set_event(int32_t delay_ms, int32_t resolution_ms) override {
        Record("set_event " + std::to_string(delay_ms) + " " + std::to_string(resolution_ms));
        const int32_t id = next_id;
        if (next_id != 0) ++next_id;
        return id;
    }
    void kill_event(int32_t id) override { Record("kill_event " + std::to_string(id)); }

private:
    void Record(std::string line) {
        calls.push_back(line);
        Note(log, "timer " + line);
    }
};

class RecordingSleeper final : public Sleeper {
public:
    std::vector<int32_t> sleeps;
    CallLog* log = nullptr;
    void sleep(int32_t ms) override {
        sleeps.push_back(ms);
        Note(log, "sleep " + std::to_string(ms));
    }
};

// A code page that holds ASCII and the characters of `held` (UTF-8), and nothing else.
class FakeCodePage final : public AnsiCodePage {
public:
    explicit FakeCodePage(std::string held) : held_(std::move(held)) {}
    // A whole UTF-8 sequence is found only at a character's start, never inside another.
    bool holds(std::string_view character) const override {
        return character.size() == 1 ? static_cast<unsigned char>(character[0]) < 0x80
                                     : held_.find(character) != std::string::npos;
    }

private:
    std::string held_;
};

}  // namespace pwstd::testing
