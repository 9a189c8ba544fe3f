#pragma once
// Every allocation the engine tests make through operator new, counted (allocations.cpp replaces
// the global operator new of the test program).
#include <cstdint>

namespace pwstd::testing {

int64_t Allocations();

}  // namespace pwstd::testing
