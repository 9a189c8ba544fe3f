#pragma once
// The named shared-memory block in which the key recorder (pwstd_key_recorder.exe) logs every key
// its low-level keyboard hook sees and every mouse event its low-level mouse hook sees, in order. The test creates the block and passes its name as the
// recorder's only argument; the recorder sets `ready` once its hook is installed.
#include <cstdint>

namespace pwstd::keylog {

inline constexpr uint32_t kMagic = 0x4759454B;  // "KEYG"
inline constexpr int kMaxKeys = 16384;

struct KeyRecord {
    uint32_t vk = 0;
    uint32_t scan = 0;
    uint32_t flags = 0;    // KBDLLHOOKSTRUCT flags: 0x01 extended, 0x10 injected, 0x80 up
    uint32_t message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP; for the mouse
                           // WM_MOUSEMOVE .. WM_MOUSEHWHEEL
    int64_t qpc = 0;       // QueryPerformanceCounter when the hook saw the key
    // The mouse: the cursor's point after the event and the high word of mouseData (the wheel's
    // amount, the X button); `flags` then holds MSLLHOOKSTRUCT flags (0x01 injected), `vk` 0.
    int32_t x = 0, y = 0, data = 0;
};

struct Block {
    uint32_t magic = 0;
    uint32_t ready = 0;  // set by the recorder once the hook is in place
    uint32_t count = 0;  // records written; records beyond kMaxKeys are counted, not kept
    uint32_t reserved = 0;
    KeyRecord keys[kMaxKeys];
};

}  // namespace pwstd::keylog
