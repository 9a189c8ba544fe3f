#include <windows.h>

#include <stdexcept>

#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {
namespace {

// Every program a test starts belongs to this job, which ends them all when the test ends.
HANDLE TestJob() {
    static HANDLE const job = [] {
        HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits,
                                sizeof limits);
        return created;
    }();
    return job;
}

std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

bool SameName(const std::wstring& entry, const std::wstring& name) {
    return entry.size() > name.size() && entry[name.size()] == L'=' &&
           CompareStringOrdinal(entry.c_str(), static_cast<int>(name.size()), name.c_str(),
                                static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

// The test's own environment with `env` added, replacing variables of the same name.
std::wstring Environment(const Env& env) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        bool replaced = false;
        for (const auto& [name, value] : env) replaced = replaced || SameName(text, name);
        if (!replaced) block += text + L'\0';
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : env) block += name + L"=" + value + L'\0';
    return block + L'\0';
}

}  // namespace

Process Process::Start(const std::wstring& exe, const std::vector<std::wstring>& args,
                       const Env& env, const std::wstring& dir) {
    std::wstring command = Quote(exe);
    for (const std::wstring& arg : args) command += L" " + Quote(arg);
    std::wstring folder = dir;
    if (folder.empty()) folder = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring environment = Environment(env);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT | CREATE_SUSPENDED, environment.data(),
                        folder.c_str(), &startup, &info))
        throw std::runtime_error("cannot start " + Narrow(exe) + ": error " +
                                 std::to_string(GetLastError()));
    AssignProcessToJobObject(TestJob(), info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    Process process;
    process.process_ = info.hProcess;
    process.pid_ = info.dwProcessId;
    process.thread_id_ = info.dwThreadId;
    return process;
}

Process::Process(Process&& other) noexcept { *this = std::move(other); }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        kill();
        process_ = std::exchange(other.process_, nullptr);
        pid_ = std::exchange(other.pid_, 0);
        thread_id_ = std::exchange(other.thread_id_, 0);
    }
    return *this;
}

Process::~Process() { kill(); }

bool Process::running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::wait(std::chrono::milliseconds timeout, uint32_t* exit_code) const {
    if (!process_) return true;
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return false;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    if (exit_code) *exit_code = code;
    return true;
}

void Process::kill() {
    if (!process_) return;
    if (running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

bool Process::post_quit() const {
    return thread_id_ && PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
}

}  // namespace pwstd::wintest
