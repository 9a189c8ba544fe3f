// pwstd_key_recorder.exe <block name> [<pid to follow>]: logs every key and mouse event that reaches
// the system, in order, through low-level keyboard and mouse hooks into the shared block the test created. Needs no window
// and no focus. Ends on WM_QUIT posted to its main thread, or when the followed process ends.
#include <windows.h>

#include <atomic>
#include <cwchar>

#include "tests/win32/support/key_block.h"

namespace {

pwstd::keylog::Block* g_block = nullptr;

template <class T>
std::atomic_ref<T> At(T& field) {
    return std::atomic_ref<T>(field);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        const uint32_t index = At(g_block->count).load();
        if (index < pwstd::keylog::kMaxKeys) {
            pwstd::keylog::KeyRecord& record = g_block->keys[index];
            record.vk = key->vkCode;
            record.scan = key->scanCode;
            record.flags = key->flags;
            record.message = static_cast<uint32_t>(message);
            record.qpc = now.QuadPart;
        }
        At(g_block->count).store(index + 1, std::memory_order_release);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

LRESULT CALLBACK MouseProc(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const auto* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
        const uint32_t index = At(g_block->count).load();
        if (index < pwstd::keylog::kMaxKeys) {
            pwstd::keylog::KeyRecord& record = g_block->keys[index];
            record.flags = mouse->flags;
            record.message = static_cast<uint32_t>(message);
            record.qpc = now.QuadPart;
            record.x = mouse->pt.x;
            record.y = mouse->pt.y;
            record.data = static_cast<int16_t>(HIWORD(mouse->mouseData));
        }
        At(g_block->count).store(index + 1, std::memory_order_release);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, argv[1]);
    if (!mapping) return 3;
    g_block = static_cast<pwstd::keylog::Block*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!g_block || g_block->magic != pwstd::keylog::kMagic) return 4;
    HANDLE followed = nullptr;
    if (argc >= 3) {
        followed = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    }

    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, GetModuleHandleW(nullptr), 0);
    if (!hook) return 5;
    HHOOK mouse_hook = SetWindowsHookExW(WH_MOUSE_LL, MouseProc, GetModuleHandleW(nullptr), 0);
    if (!mouse_hook) return 6;
    At(g_block->ready).store(1, std::memory_order_release);

    for (;;) {
        const DWORD waited = MsgWaitForMultipleObjects(followed ? 1 : 0, &followed, FALSE,
                                                       INFINITE, QS_ALLINPUT);
        if (followed && waited == WAIT_OBJECT_0) break;
        bool quit = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) quit = true;
            DispatchMessageW(&msg);
        }
        if (quit) break;
    }
    UnhookWindowsHookEx(mouse_hook);
    UnhookWindowsHookEx(hook);
    return 0;
}
