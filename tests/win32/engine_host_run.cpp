#include "tests/win32/engine_host_run.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace pwstd::wintest {

EngineHostRun::EngineHostRun(bool with_standin)
    : exe_(Stage(TestBinDir() + L"\\pwstd_engine_host.exe", dir_.path(), with_standin)),
      event_name_(L"Local\\PwStdHostQuit." + std::to_wstring(GetCurrentProcessId()) + L"." +
                  std::to_wstring(reinterpret_cast<uintptr_t>(this))) {
    quit_ = CreateEventW(nullptr, TRUE, FALSE, event_name_.c_str());
    if (!quit_) throw std::runtime_error("cannot create the host's quit event");
}

EngineHostRun::~EngineHostRun() {
    if (process_.running()) stop();
    process_.kill();
    CloseHandle(quit_);
}

void EngineHostRun::start(const std::vector<std::wstring>& args) {
    std::vector<std::wstring> all = args;
    all.insert(all.end(), {L"--ms", L"60000", L"--quit-event", event_name_, L"--log",
                           dir_.file(L"host.log")});
    process_ = Process::Start(exe_, all, winmm_.env());
}

bool EngineHostRun::stop() {
    SetEvent(quit_);
    return process_.wait(10s);
}

std::vector<std::string> EngineHostRun::log_lines() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFileBytes(dir_.file(L"host.log")));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> EngineHostRun::tips() const {
    std::vector<std::string> found;
    for (const std::string& line : log_lines()) {
        if (line.rfind("tip ", 0) == 0) found.push_back(line.substr(4));
    }
    return found;
}

std::vector<int> EngineHostRun::shown_rates() const {
    std::vector<int> rates;
    for (const std::string& tip : tips()) {
        const size_t space = tip.rfind(' ');
        const size_t fps = tip.rfind("FPS");
        rates.push_back(space != std::string::npos && fps != std::string::npos && fps > space
                            ? std::atoi(tip.substr(space + 1, fps - space - 1).c_str())
                            : -1);
    }
    return rates;
}

long long EngineHostRun::number(const std::string& prefix) const {
    for (const std::string& line : log_lines()) {
        if (line.rfind(prefix, 0) == 0) return std::atoll(line.c_str() + prefix.size());
    }
    return -1;
}

}  // namespace pwstd::wintest
