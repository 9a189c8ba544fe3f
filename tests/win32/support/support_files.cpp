#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {
namespace {

std::wstring FolderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(dir.c_str());
}

}  // namespace

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                        nullptr, nullptr);
    return utf8;
}

std::wstring TestBinDir() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderOf(std::wstring(path, n));
}

std::wstring StandinDllPath() { return TestBinDir() + L"\\standin\\winmm.dll"; }
std::wstring StandinXInputDllPath() { return TestBinDir() + L"\\standin\\xinput1_4.dll"; }
std::wstring KeyRecorderPath() { return TestBinDir() + L"\\pwstd_key_recorder.exe"; }

std::wstring FromBuildPath(const char* path) {
    std::wstring wide = Widen(path);
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return !wide.empty() && wide[0] == L'\\' ? L"Z:" + wide : wide;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"pwstd-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter.fetch_add(1)) + L"-" + std::to_wstring(GetTickCount());
    if (!CreateDirectoryW(path_.c_str(), nullptr))
        throw std::runtime_error("cannot create " + Narrow(path_));
}

TempDir::~TempDir() { RemoveTree(path_); }

std::wstring Stage(const std::wstring& exe, const std::wstring& dir, bool with_standin) {
    const size_t slash = exe.find_last_of(L"\\/");
    const std::wstring copy = dir + L"\\" + exe.substr(slash == std::wstring::npos ? 0 : slash + 1);
    if (!CopyFileW(exe.c_str(), copy.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + Narrow(exe));
    if (with_standin &&
        !CopyFileW(StandinDllPath().c_str(), (dir + L"\\winmm.dll").c_str(), FALSE))
        throw std::runtime_error("cannot copy the stand-in winmm.dll");
    if (with_standin &&
        !CopyFileW(StandinXInputDllPath().c_str(), (dir + L"\\xinput1_4.dll").c_str(), FALSE))
        throw std::runtime_error("cannot copy the stand-in xinput1_4.dll");
    return copy;
}

std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
             std::chrono::milliseconds step) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return condition();
        std::this_thread::sleep_for(step);
    }
}

int64_t Qpc() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double QpcMs(int64_t ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace pwstd::wintest
