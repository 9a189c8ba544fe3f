// The global operator new and delete of the engine tests, counting; in a file of their own, so that
// no call site sees the definitions.
#include "tests/engine/allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<int64_t> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace pwstd::testing {

int64_t Allocations() { return g_allocations.load(std::memory_order_relaxed); }

}  // namespace pwstd::testing
