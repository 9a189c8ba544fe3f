#include "platform/win32/win_key_sink.h"

#include <windows.h>

#include "engine/key_event.h"

namespace pwstd {

// Without scan codes: scan code 0 and never the extended-key flag, arrow keys included.
void WinKeySink::send(uint8_t vk, bool up) {
    const KeyEventShape shape = KeyEventFor(vk, up, scan_codes_ == 1);
    const BYTE scan = shape.scan_code ? static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) : 0;
    keybd_event(vk, scan, shape.flags, 0);
}

static_assert(KEYEVENTF_EXTENDEDKEY == kKeyEventExtendedKey);
static_assert(KEYEVENTF_KEYUP == kKeyEventKeyUp);

}  // namespace pwstd
