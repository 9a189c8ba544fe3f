#include "platform/win32/win_key_sink.h"

#include <windows.h>

#include "engine/key_event.h"

namespace pwstd {
namespace {

// The layout of the thread that owns the foreground window: a user with two layouts gets the scan
// codes of the one in use. Without a foreground window (a locked desktop), this thread's.
HKL ForegroundLayout() {
    return GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
}

}  // namespace

void WinKeySink::begin_keys() {
    if (scan_codes_ != 1) return;  // without scan codes no key needs the layout
    layout_.store(ForegroundLayout(), std::memory_order_relaxed);
}

// Without scan codes: scan code 0 and never the extended-key flag, arrow keys included.
void WinKeySink::send(uint8_t vk, bool up) {
    const bool scan_codes = scan_codes_ == 1;
    const auto layout = static_cast<HKL>(layout_.load(std::memory_order_relaxed));
    const UINT vsc_ex = scan_codes ? MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC_EX, layout) : 0;
    const KeyEventShape shape = KeyEventFor(vk, up, scan_codes, vsc_ex);
    keybd_event(vk, shape.scan, shape.flags, 0);
}

static_assert(KEYEVENTF_EXTENDEDKEY == kKeyEventExtendedKey);
static_assert(KEYEVENTF_KEYUP == kKeyEventKeyUp);

}  // namespace pwstd
