#pragma once
// The actions of every control for one key map, and how the UI thread puts one in force while polls
// run: a table is published whole through one pointer and never changed afterwards, so a poll sees
// one whole map, never half of one and half of another.
#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/bindings/action.h"
#include "engine/bindings/control.h"

namespace pwstd {

struct BindingTable {
    std::array<Action, kControlCount> actions{};
    const Action& operator[](int control) const { return actions[control]; }
    Action& operator[](int control) { return actions[control]; }
    bool operator==(const BindingTable&) const = default;
    // Bit c set: control c is bound to something other than a key. Worked out when the table is
    // published, so a poll goes through the keys without looking at every action.
    uint64_t not_keys = 0;
    // Bit c set: control c is a shift button (a part of not_keys).
    uint64_t shifts = 0;
    // Bit c set: control c is bound to a mouse button or the wheel (a part of not_keys).
    uint64_t mouse = 0;
    // The stick that moves the cursor with this key map (0 none, 1 X/Y, 2 Z/R, 3 U/R).
    int32_t mouse_stick = 0;
};

// The table in force. One thread (the UI thread) publishes; one other (the poll) reads.
class LiveBindings {
public:
    LiveBindings();
    ~LiveBindings();
    LiveBindings(const LiveBindings&) = delete;
    LiveBindings& operator=(const LiveBindings&) = delete;

    // The table in force. UI thread.
    const BindingTable& Current() const { return *current_.load(); }
    // Puts a copy of `table` in force whole. The table it replaces is freed once no poll can be
    // reading it. UI thread; never waits for the poll.
    void Publish(const BindingTable& table);
    // Puts a copy of `table` in force as the shift map: the map of the controls pressed while a
    // shift button is held. Published once when the options or the shift slot change, so a shift
    // costs no file read. UI thread; never waits for the poll.
    void PublishShift(const BindingTable& table);

    // The table in force for the length of one poll. Poll thread; allocates nothing, never waits.
    class Reading {
    public:
        explicit Reading(LiveBindings& live);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;
        const BindingTable& table() const { return *table_; }
        // The shift map, or null while none is published (no shift button).
        const BindingTable* shifted() const { return shifted_; }

    private:
        LiveBindings& live_;
        const BindingTable* table_;
        const BindingTable* shifted_;
    };

private:
    // Frees the replaced tables that no poll can still be reading.
    void Reclaim();
    // Puts a copy of `table` in `slot` and retires the table it replaces.
    void Replace(std::atomic<const BindingTable*>& slot, const BindingTable& table);

    std::atomic<const BindingTable*> current_;
    std::atomic<const BindingTable*> shifted_{nullptr};
    // Counts the starts and ends of readings: odd while a poll reads.
    std::atomic<uint64_t> reads_{0};
    struct Retired {
        const BindingTable* table;
        uint64_t reads;  // the count when it was replaced, odd: a poll was reading then
    };
    std::vector<Retired> retired_;  // UI thread only
};

}  // namespace pwstd
