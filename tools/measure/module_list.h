#pragma once
// The libraries a running process has mapped, from its own module list as Windows keeps it (a
// toolhelp snapshot of the process): what the loader brought in, whatever the program imports.
#include <cstdint>
#include <string>
#include <vector>

namespace pwstd::wintest {

// The file names of the modules of process `pid` (the executable first, as the loader lists it),
// in lower case; empty when the snapshot cannot be taken.
std::vector<std::string> ModuleNames(uint32_t pid);

}  // namespace pwstd::wintest
