#include "tools/measure/module_list.h"

#include <windows.h>
#include <tlhelp32.h>

#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {

std::vector<std::string> ModuleNames(uint32_t pid) {
    std::vector<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module)) {
        std::string name = Narrow(module.szModule);
        for (char& c : name) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        names.push_back(name);
    }
    CloseHandle(snapshot);
    return names;
}

}  // namespace pwstd::wintest
