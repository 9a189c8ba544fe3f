#include "platform/win32/win_key_sink.h"

#include <windows.h>

namespace pwstd {

// Scan code 0 and never the extended-key flag, arrow keys included.
void WinKeySink::send(uint8_t vk, bool up) { keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0); }

}  // namespace pwstd
