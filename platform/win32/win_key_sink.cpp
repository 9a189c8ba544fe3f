#include "platform/win32/win_key_sink.h"

#include <windows.h>

#include "engine/key_event.h"

namespace pwstd {
namespace {

// A poll sends its keys within a few milliseconds; a lookup older than this belongs to an earlier
// poll, whose layout the user may have switched since.
constexpr DWORD kSamePollMs = 50;

// The layout of the thread that owns the foreground window: a user with two layouts gets the scan
// codes of the one in use. Without a foreground window (a locked desktop), this thread's.
HKL ForegroundLayout() {
    return GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
}

}  // namespace

void WinKeySink::begin_keys() {
    if (scan_codes_ != 1) return;  // without scan codes no key needs the layout
    layout_.store(ForegroundLayout());
    layout_ticks_.store(GetTickCount());
    layout_thread_.store(GetCurrentThreadId());
}

void* WinKeySink::Layout() const {
    if (layout_thread_.load() == GetCurrentThreadId() &&
        GetTickCount() - layout_ticks_.load() < kSamePollMs)
        return layout_.load();
    return ForegroundLayout();
}

// Without scan codes: scan code 0 and never the extended-key flag, arrow keys included.
void WinKeySink::send(uint8_t vk, bool up) {
    const bool scan_codes = scan_codes_ == 1;
    const UINT vsc_ex =
        scan_codes ? MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC_EX, static_cast<HKL>(Layout())) : 0;
    const KeyEventShape shape = KeyEventFor(vk, up, scan_codes, vsc_ex);
    keybd_event(vk, shape.scan, shape.flags, 0);
}

static_assert(KEYEVENTF_EXTENDEDKEY == kKeyEventExtendedKey);
static_assert(KEYEVENTF_KEYUP == kKeyEventKeyUp);

}  // namespace pwstd
