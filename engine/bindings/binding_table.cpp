#include "engine/bindings/binding_table.h"

namespace pwstd {

LiveBindings::LiveBindings() : current_(new BindingTable{}) {}

LiveBindings::~LiveBindings() {
    delete current_.load();
    delete shifted_.load();
    for (const Retired& r : retired_) delete r.table;
}

void LiveBindings::Publish(const BindingTable& table) { Replace(current_, table); }

void LiveBindings::PublishShift(const BindingTable& table) { Replace(shifted_, table); }

void LiveBindings::Replace(std::atomic<const BindingTable*>& slot, const BindingTable& table) {
    auto* copy = new BindingTable(table);
    copy->not_keys = copy->shifts = copy->mouse = 0;
    for (int c = 0; c < kControlCount; ++c) {
        const ActionKind kind = copy->actions[c].kind;
        if (kind != ActionKind::Key && kind != ActionKind::None) copy->not_keys |= uint64_t{1} << c;
        if (kind == ActionKind::Shift) copy->shifts |= uint64_t{1} << c;
        if (kind == ActionKind::MouseButton || kind == ActionKind::Wheel) copy->mouse |= uint64_t{1} << c;
    }
    const BindingTable* old = slot.exchange(copy);
    if (old == nullptr) return;
    // A poll that begins after the exchange reads the new table; one under way may hold the old.
    // An even count means none is under way; otherwise the old table waits until that poll ends,
    // which it has once the count has moved on.
    const uint64_t reads = reads_.load();
    Reclaim();
    if (reads % 2 == 0) {
        delete old;
    } else {
        retired_.push_back({old, reads});
    }
}

void LiveBindings::Reclaim() {
    const uint64_t reads = reads_.load();
    std::erase_if(retired_, [reads](const Retired& r) {
        if (r.reads == reads) return false;
        delete r.table;
        return true;
    });
}

LiveBindings::Reading::Reading(LiveBindings& live) : live_(live) {
    live_.reads_.fetch_add(1);
    table_ = live_.current_.load();
    shifted_ = live_.shifted_.load();
}

// Only the poll thread counts, so the end of a reading needs no read-modify-write; what it read
// before happens before the UI thread sees the count move on.
LiveBindings::Reading::~Reading() {
    live_.reads_.store(live_.reads_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

}  // namespace pwstd
