#pragma once
// What the Linux kernel knows about a Wine process, read by a Windows program under Wine through
// the Z: drive (Wine maps it to "/"). Wine's GetProcessTimes gives no processor time for another
// process, so the measurers read /proc instead. Meaningless on Windows: there every lookup fails.
#include <cstdint>
#include <string>

namespace pwstd::wintest {

struct ProcFigures {
    bool ok = false;
    double cpu_ms = 0;       // sum over the threads of /proc/<pid>/task/*/schedstat (ns precise)
    double cpu_tick_ms = 0;  // utime + stime of /proc/<pid>/stat (whole clock ticks)
    long long hwm_kb = 0;    // VmHWM of /proc/<pid>/status: the peak resident set
    long long rss_kb = 0;    // VmRSS
    int threads = 0;
};

// The Linux pid of the Wine process whose command line names `exe` (a Windows path, compared
// without regard to case); 0 when there is none.
int FindUnixPid(const std::wstring& exe);
// The Linux pid of the Wine server serving the prefix in the environment variable WINEPREFIX.
int FindWineServer();
ProcFigures ReadProc(int pid);

}  // namespace pwstd::wintest
