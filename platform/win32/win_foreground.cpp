#include "platform/win32/win_foreground.h"

#include <map>

#include "platform/win32/win_text.h"

namespace pwstd {

namespace {

// The hook's callback carries no context: the one watch that started it.
WinForegroundWatch* g_watch = nullptr;

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    return process;
}

// The file name of a process's executable, "" when the process cannot be asked (it is gone, or it
// runs with rights this program lacks).
std::string ImageName(DWORD process) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle) return {};
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    const BOOL found = QueryFullProcessImageNameW(handle, 0, path.data(), &size);
    CloseHandle(handle);
    if (!found) return {};
    path.resize(size);
    const size_t slash = path.find_last_of(L"\\/");
    return WideToUtf8(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

FrontProgram ProgramOfProcess(DWORD process) {
    if (process == 0) return {};
    // The taskbar, the notification area, the desktop and the task switcher belong to the shell.
    if (process == GetCurrentProcessId() || process == ProcessOf(FindWindowW(L"Shell_TrayWnd", nullptr)))
        return {ImageName(process), true};
    return {ImageName(process), false};
}

// A store app's window is a frame of the frame host's; the app runs in the process that owns the
// frame's core window. Without one, the app is not known.
FrontProgram AppInFrame(HWND frame) {
    const DWORD host = ProcessOf(frame);
    const DWORD app = ProcessOf(FindWindowExW(frame, nullptr, L"Windows.UI.Core.CoreWindow", nullptr));
    return app != 0 && app != host ? ProgramOfProcess(app) : FrontProgram{};
}

}  // namespace

WinForegroundWatch::~WinForegroundWatch() {
    if (hook_) UnhookWinEvent(hook_);
    StopTimer();
    if (g_watch == this) g_watch = nullptr;
}

// The events come through this thread's message loop, so the handler runs on the UI thread.
void WinForegroundWatch::start(std::function<void(const FrontProgram&)> in_front) {
    in_front_ = std::move(in_front);
    g_watch = this;
    if (!hook_)
        hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &WinForegroundWatch::Event,
                                0, 0, WINEVENT_OUTOFCONTEXT);
}

void WinForegroundWatch::stop() {
    if (hook_) UnhookWinEvent(hook_);
    hook_ = nullptr;
    StopTimer();
    in_front_ = nullptr;
}

void CALLBACK WinForegroundWatch::Event(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
    if (event != EVENT_SYSTEM_FOREGROUND || !window || !g_watch || !g_watch->in_front_) return;
    const FrontProgram owner = ProgramOfProcess(ProcessOf(window));
    const FrontProgram found = IsFrameHost(owner) ? AppInFrame(window) : owner;
    g_watch->StopTimer();
    if (g_watch->late_.InFront(reinterpret_cast<uintptr_t>(window), owner, found) == LateFront::Then::LookAgain) {
        // A thread timer: its tick comes through this thread's message loop, as the events do.
        g_watch->timer_ = SetTimer(nullptr, 0, kLateFrontMs, &WinForegroundWatch::LookAgain);
        return;
    }
    g_watch->in_front_(found);
}

void CALLBACK WinForegroundWatch::LookAgain(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_watch) return;
    g_watch->StopTimer();
    const HWND window = GetForegroundWindow();
    if (g_watch->late_.LookNow(reinterpret_cast<uintptr_t>(window)) && g_watch->in_front_)
        g_watch->in_front_(ProgramOf(window));
}

void WinForegroundWatch::StopTimer() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
}

FrontProgram WinForegroundWatch::front() { return ProgramOf(GetForegroundWindow()); }

FrontProgram WinForegroundWatch::ProgramOf(HWND window) {
    FrontProgram program = ProgramOfProcess(ProcessOf(window));
    return IsFrameHost(program) ? AppInFrame(window) : program;
}

std::vector<FrontProgram> WinForegroundWatch::visible_programs() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            if (IsWindowVisible(window) && GetWindowTextLengthW(window) > 0)
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    // Each process is asked once; the frame host's windows each stand for another app.
    std::map<DWORD, FrontProgram> by_process;
    std::vector<FrontProgram> programs;
    for (HWND window : windows) {
        const DWORD process = ProcessOf(window);
        auto it = by_process.find(process);
        if (it == by_process.end()) it = by_process.emplace(process, ProgramOfProcess(process)).first;
        if (IsFrameHost(it->second)) {
            programs.push_back(ProgramOf(window));
        } else {
            programs.push_back(it->second);
        }
    }
    return programs;
}

}  // namespace pwstd
