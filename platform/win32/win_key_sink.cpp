#include "platform/win32/win_key_sink.h"

#include <windows.h>

#include "engine/output/key_event.h"

namespace pwstd {

namespace {

// The layout of the thread that owns the foreground window: a user with two layouts gets the scan
// codes of the one in use. Without a foreground window (a locked desktop), this thread's.
HKL ForegroundLayout() {
    return GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
}

}  // namespace

void WinKeySink::begin_keys() {
    if (!scan_codes_) return;  // without scan codes no key needs the layout
    layout_.store(ForegroundLayout(), std::memory_order_relaxed);
}

uint32_t WinKeySink::scan_code(uint8_t vk) {
    return MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC_EX, static_cast<HKL>(layout_.load(std::memory_order_relaxed)));
}

void WinKeySink::key(uint8_t vk, uint8_t scan, uint32_t flags) { keybd_event(vk, scan, flags, 0); }

static_assert(KEYEVENTF_EXTENDEDKEY == kKeyEventExtendedKey);
static_assert(KEYEVENTF_KEYUP == kKeyEventKeyUp);

}  // namespace pwstd
