#pragma once
// Named shared-memory blocks of the test helpers (internal to the support library).
#include <cstddef>
#include <string>

namespace pwstd::wintest {

// Creates a named, zero-filled block of `size` bytes and maps it at `*view`; returns the mapping's
// handle. Throws when Windows refuses.
void* CreateBlock(const std::wstring& name, size_t size, void** view);
// A name no other block of this or another test process uses.
std::wstring UniqueName(const wchar_t* kind);

}  // namespace pwstd::wintest
