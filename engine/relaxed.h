#pragma once
// A value shared between the user-interface thread and the poll timer's thread.
//
// Every shared field is a single 16- or 32-bit value that one thread writes whole and the other
// reads whole. No ordering between fields is promised (a poll may see part of a change and the next
// poll sees all of it), so relaxed atomic loads and stores are all that is needed.
#include <atomic>

namespace pwstd {

template <class T>
class Relaxed {
public:
    constexpr Relaxed(T v = T{}) noexcept : v_(v) {}
    Relaxed(const Relaxed&) = delete;
    Relaxed& operator=(const Relaxed&) = delete;

    operator T() const noexcept { return v_.load(std::memory_order_relaxed); }
    T get() const noexcept { return v_.load(std::memory_order_relaxed); }
    Relaxed& operator=(T v) noexcept {
        v_.store(v, std::memory_order_relaxed);
        return *this;
    }

private:
    std::atomic<T> v_;
};

}  // namespace pwstd
