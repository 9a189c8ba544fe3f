#pragma once
// How a stand-in DLL finds the block its test made: by the name in PWSTD_STANDIN, once per process;
// none when the variable is unset or the block is not (yet) a stand-in's.
#include <windows.h>

#include <atomic>

#include "tests/win32/support/standin_block.h"

namespace pwstd::standin {

template <class T>
std::atomic_ref<T> At(T& field) {
    return std::atomic_ref<T>(field);
}

inline Block* OpenBlock() {
    wchar_t name[256];
    const DWORD length = GetEnvironmentVariableW(kEnvName, name, 256);
    if (length == 0 || length >= 256) return nullptr;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (!mapping) return nullptr;
    auto* block = static_cast<Block*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!block || At(block->magic).load() != kMagic) return nullptr;
    return block;
}

inline Block* TheBlock() {
    static Block* const block = OpenBlock();
    return block;
}

}  // namespace pwstd::standin
