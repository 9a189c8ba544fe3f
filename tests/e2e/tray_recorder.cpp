#include "tests/e2e/tray_recorder.h"

#include <shellapi.h>

#include <cstring>

namespace pwstd::wintest {

namespace {

// Wine's platform-independent form of the record, as its shell sends it; the icon's mask and
// colour bits follow it.
struct NotifyData {
    LONG window;
    UINT id;
    UINT flags;
    UINT callback;
    WCHAR tip[128];
    DWORD state, state_mask;
    WCHAR info[256];
    UINT timeout_or_version;
    WCHAR info_title[64];
    DWORD info_flags;
    GUID guid;
    UINT width, height, planes, bpp;
};

uint64_t Fnv1a(const BYTE* data, size_t size) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

std::string Utf8(const WCHAR* text, size_t capacity) {
    size_t n = 0;
    while (n < capacity && text[n]) ++n;
    if (n == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

TrayRecorder::TrayRecorder(TrayAnswers answers) : answers_(answers) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
}

TrayRecorder::~TrayRecorder() {
    PostThreadMessageW(thread_id_, WM_QUIT, 0, 0);
    thread_.join();
}

void TrayRecorder::Run(HANDLE ready) {
    thread_id_ = GetCurrentThreadId();
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = &TrayRecorder::Procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&window_class);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, window_class.hInstance, this);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here on
    SetEvent(ready);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    DestroyWindow(window);
    UnregisterClassW(L"Shell_TrayWnd", window_class.hInstance);
}

LRESULT CALLBACK TrayRecorder::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<TrayRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_COPYDATA || !self) return DefWindowProcW(window, message, wparam, lparam);
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (copy->cbData < sizeof(NotifyData)) return FALSE;
    NotifyData data;
    std::memcpy(&data, copy->lpData, sizeof data);
    TrayCall call;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    call.qpc = now.QuadPart;
    call.message = static_cast<uint32_t>(copy->dwData);
    call.window = static_cast<uint32_t>(data.window);
    call.id = data.id;
    call.flags = data.flags;
    call.callback = data.callback;
    call.tip = Utf8(data.tip, 128);
    if (copy->cbData > sizeof(NotifyData)) {
        call.icon = Fnv1a(static_cast<const BYTE*>(copy->lpData) + sizeof(NotifyData),
                          copy->cbData - sizeof(NotifyData));
        call.icon_width = data.width;
        call.icon_height = data.height;
    }
    uint32_t* refusals = call.message == NIM_ADD      ? &self->answers_.refused_adds
                         : call.message == NIM_MODIFY ? &self->answers_.refused_modifies
                                                      : nullptr;
    const bool taken = !(refusals && *refusals > 0);
    if (!taken) --*refusals;
    call.taken = taken;
    const bool late = call.message == NIM_MODIFY && self->answers_.modify_delay_ms > 0;
    {
        std::lock_guard lock(self->mutex_);
        self->calls_.push_back(std::move(call));
    }
    // The caller waits in its Shell_NotifyIcon all this time, as it would for a busy shell.
    if (late) Sleep(self->answers_.modify_delay_ms);
    return taken ? TRUE : FALSE;
}

std::vector<TrayCall> TrayRecorder::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

size_t TrayRecorder::count() const {
    std::lock_guard lock(mutex_);
    return calls_.size();
}

}  // namespace pwstd::wintest
