#include "tools/measure/proc_stats.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {
namespace {

std::wstring ProcPath(const std::wstring& rest) { return L"Z:\\proc\\" + rest; }

std::vector<int> Pids(const std::wstring& folder) {
    std::vector<int> pids;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return pids;
    do {
        const int pid = _wtoi(found.cFileName);
        if (pid > 0) pids.push_back(pid);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return pids;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == '/') c = '\\';
    }
    return text;
}

long long StatusKb(const std::string& status, const std::string& key) {
    const size_t at = status.find(key + ":");
    return at == std::string::npos ? 0 : std::atoll(status.c_str() + at + key.size() + 1);
}

}  // namespace

int FindUnixPid(const std::wstring& exe) {
    const std::string wanted = Lower(Narrow(exe));
    for (int pid : Pids(ProcPath(L""))) {
        std::string command = ReadFileBytes(ProcPath(std::to_wstring(pid) + L"\\cmdline"));
        for (char& c : command) {
            if (c == '\0') c = ' ';
        }
        if (Lower(command).find(wanted) != std::string::npos) return pid;
    }
    return 0;
}

// Field `n` (1-based, as in proc(5)) of /proc/<pid>/stat; empty when there is none.
static std::string StatField(int pid, int n) {
    const std::string stat = ReadFileBytes(ProcPath(std::to_wstring(pid) + L"\\stat"));
    const size_t paren = stat.rfind(')');
    if (paren == std::string::npos || paren + 2 > stat.size()) return {};
    std::istringstream fields(stat.substr(paren + 2));
    std::string field;
    for (int i = 3; i <= n && fields >> field; ++i) {
        if (i == n) return field;
    }
    return {};
}

int FindWineServer() {
    wchar_t prefix[1024];
    const DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, 1024);
    if (length == 0 || length >= 1024) return 0;
    const std::string wanted = "WINEPREFIX=" + Narrow(prefix);
    // A server of an earlier run of the same prefix may linger; the newest running one serves us.
    int newest = 0;
    long long newest_start = -1;
    for (int pid : Pids(ProcPath(L""))) {
        const std::string command = ReadFileBytes(ProcPath(std::to_wstring(pid) + L"\\cmdline"));
        if (command.find("wineserver") == std::string::npos) continue;
        const std::string env = ReadFileBytes(ProcPath(std::to_wstring(pid) + L"\\environ"));
        if (env.find(wanted + '\0') == std::string::npos || StatField(pid, 3) == "Z") continue;
        const long long start = std::atoll(StatField(pid, 22).c_str());
        if (start > newest_start) {
            newest = pid;
            newest_start = start;
        }
    }
    return newest;
}

ProcFigures ReadProc(int pid) {
    ProcFigures figures;
    if (pid <= 0) return figures;
    const std::wstring base = ProcPath(std::to_wstring(pid));
    const std::string stat = ReadFileBytes(base + L"\\stat");
    const std::string status = ReadFileBytes(base + L"\\status");
    const size_t paren = stat.rfind(')');
    if (paren == std::string::npos || status.empty()) return figures;
    // After the command in parentheses: field 3 (state) onwards; utime and stime are 14 and 15.
    std::istringstream fields(stat.substr(paren + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int n = 3; n <= 15 && fields >> field; ++n) {
        if (n == 14) utime = std::atoll(field.c_str());
        if (n == 15) stime = std::atoll(field.c_str());
    }
    figures.cpu_tick_ms = static_cast<double>(utime + stime) * 10.0;  // USER_HZ is 100 on Linux
    for (int tid : Pids(base + L"\\task")) {
        const std::string sched =
            ReadFileBytes(base + L"\\task\\" + std::to_wstring(tid) + L"\\schedstat");
        figures.cpu_ms += static_cast<double>(std::atoll(sched.c_str())) / 1e6;
        ++figures.threads;
    }
    figures.hwm_kb = StatusKb(status, "VmHWM");
    figures.rss_kb = StatusKb(status, "VmRSS");
    figures.ok = true;
    return figures;
}

}  // namespace pwstd::wintest
