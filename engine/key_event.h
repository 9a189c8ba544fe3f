#pragma once
// The shape of one synthetic key event. Games that read the keyboard through DirectInput or raw
// input look at the hardware scan code and ignore an event whose scan code is 0. For them the
// "ScanCodes" option sends the key's scan code, and the extended-key flag on the keys that carry it
// on a standard keyboard: without it, the arrows' scan codes name keys of the numeric pad.
#include <cstdint>

namespace pwstd {

// keybd_event dwFlags values (KEYEVENTF_EXTENDEDKEY, KEYEVENTF_KEYUP).
constexpr uint32_t kKeyEventExtendedKey = 1;
constexpr uint32_t kKeyEventKeyUp = 2;

// True for the keys that are extended on a standard keyboard: the arrows, Insert, Delete, Home,
// End, Page Up, Page Down, right Ctrl, right Alt, Num Lock, the numeric pad's divide, the Windows
// keys and the application key.
bool IsExtendedKey(uint8_t vk);

struct KeyEventShape {
    bool scan_code = false;  // pass the key's scan code (else 0)
    uint32_t flags = 0;      // kKeyEventKeyUp for a release, kKeyEventExtendedKey as the key needs
};

// A press or release of `vk`: without scan codes, scan code 0 and never the extended-key flag,
// arrows included; with them, the scan code and, for an extended key, the flag.
KeyEventShape KeyEventFor(uint8_t vk, bool up, bool scan_codes);

}  // namespace pwstd
