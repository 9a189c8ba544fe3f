#pragma once
// Stands in for the shell's notification area: a window of class "Shell_TrayWnd" on a thread of
// its own. Wine's Shell_NotifyIcon sends its record to the topmost window of that class as
// WM_COPYDATA (dwData = NIM_ADD, NIM_MODIFY or NIM_DELETE), so a recorder created after the
// desktop's own tray receives every tray call of the program under test. Wine's Shell_NotifyIcon
// returns what the window answers, so the recorder can also play a shell that refuses or is slow.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pwstd::wintest {

struct TrayCall {
    uint32_t message = 0;   // 0 add, 1 modify, 2 delete
    uint32_t window = 0;    // the hWnd of the record
    uint32_t id = 0;        // uID
    uint32_t flags = 0;     // uFlags
    uint32_t callback = 0;  // uCallbackMessage
    std::string tip;        // UTF-8
    uint64_t icon = 0;      // hash of the icon's bits; 0 without NIF_ICON
    uint32_t icon_width = 0, icon_height = 0;
    int64_t qpc = 0;        // QueryPerformanceCounter when the call arrived
    bool taken = true;      // answered TRUE
};

// How the stand-in shell answers: one still starting that refuses calls, or one too busy to answer
// at once.
struct TrayAnswers {
    uint32_t refused_adds = 0;      // the first this many adds are answered FALSE
    uint32_t refused_modifies = 0;  // the same for changes
    uint32_t modify_delay_ms = 0;   // each change is answered this late
};

class TrayRecorder {
public:
    explicit TrayRecorder(TrayAnswers answers = {});  // returns once the window exists
    ~TrayRecorder();  // closes the window and joins its thread
    TrayRecorder(const TrayRecorder&) = delete;
    TrayRecorder& operator=(const TrayRecorder&) = delete;

    std::vector<TrayCall> calls() const;
    size_t count() const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void Run(HANDLE ready);

    TrayAnswers answers_;  // counted down by the window's thread
    mutable std::mutex mutex_;
    std::vector<TrayCall> calls_;
    std::thread thread_;
    DWORD thread_id_ = 0;
};

}  // namespace pwstd::wintest
