#include "engine/bindings/binding_table.h"

namespace pwstd {

LiveBindings::LiveBindings() : current_(new BindingTable{}) {}

LiveBindings::~LiveBindings() {
    delete current_.load();
    for (const Retired& r : retired_) delete r.table;
}

void LiveBindings::Publish(const BindingTable& table) {
    const BindingTable* old = current_.exchange(new BindingTable(table));
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
}

LiveBindings::Reading::~Reading() { live_.reads_.fetch_add(1); }

}  // namespace pwstd
