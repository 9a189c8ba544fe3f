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

#include "engine/ports.h"

namespace pwstd::testing {

using CallLog = std::vector<std::string>;

inline void Note(CallLog* log, std::string line) {
    if (log) log->push_back(std::move(line));
}

// A joystick whose next reading the test sets; counts the service calls.
class FakePadSource final : public PadSource {
public:
    JoyReading reading{32768, 32768, 0};
    uint32_t code = 0;  // nonzero: the reading fails with this code
    int32_t only_id = -1;   // >= 0: only this joystick id answers, every other is unplugged (167)
    uint32_t devices = 16;  // what joysticks() reports
    int calls = 0;
    std::vector<int32_t> ids;           // the id of every call, in order
    std::function<void()> before_read;  // runs at every call, e.g. to script a sequence

    uint32_t read(int32_t id, uint32_t flags, JoyReading& out) override {
        ++calls;
        last_id = id;
        last_flags = flags;
        ids.push_back(id);
        if (before_read) before_read();
        if (code != 0) return code;
        if (only_id >= 0 && id != only_id) return 167;
        out = reading;
        return 0;
    }
    uint32_t joysticks() override { return devices; }
    JoyCaps joy_caps{2, kJoyCapsHasPov};  // what caps() reports: X, Y and a hat unless a test says otherwise
    uint32_t caps_code = 0;               // nonzero: caps() fails with this code
    std::vector<int32_t> caps_ids;        // the id of every caps() call, in order
    int caps_calls = 0;
    uint32_t caps(int32_t id, JoyCaps& out) override {
        ++caps_calls;
        caps_ids.push_back(id);
        if (caps_code != 0) return caps_code;
        out = joy_caps;
        return 0;
    }
    void Centre() { reading = {32768, 32768, 0}; }
    int32_t last_id = -1;
    uint32_t last_flags = 0;
};

struct KeyEvent {
    uint8_t vk;
    bool up;
    bool operator==(const KeyEvent&) const = default;
};

class RecordingKeySink final : public KeySink {
public:
    std::vector<KeyEvent> events;
    CallLog* log = nullptr;

    void send(uint8_t vk, bool up) override {
        events.push_back({vk, up});
        Note(log, std::string(up ? "release " : "press ") + std::to_string(vk));
    }
    // "press 90, release 90": the events as a test states them.
    std::string Describe() const {
        std::string text;
        for (const KeyEvent& e : events) {
            if (!text.empty()) text += ", ";
            text += (e.up ? "release " : "press ") + std::to_string(e.vk);
        }
        return text;
    }
    // Describes and forgets what was sent so far.
    std::string Take() {
        std::string text = Describe();
        events.clear();
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
