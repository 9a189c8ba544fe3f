#pragma once
// The shape of one synthetic key event. Games that read the keyboard through DirectInput or raw
// input look at the hardware scan code and ignore an event whose scan code is 0. For them the
// "ScanCodes" option sends the key's scan code in the keyboard layout in use, and the extended-key
// flag on the keys that carry it: without it, the arrows' scan codes name keys of the numeric pad,
// and Volume Up's names "B".
#include <cstdint>

namespace pwstd {

// keybd_event dwFlags values (KEYEVENTF_EXTENDEDKEY, KEYEVENTF_KEYUP).
constexpr uint32_t kKeyEventExtendedKey = 1;
constexpr uint32_t kKeyEventKeyUp = 2;

// True for the keys that are extended on a standard keyboard: the arrows, Insert, Delete, Home,
// End, Page Up, Page Down, right Ctrl, right Alt, Num Lock, the numeric pad's divide, the Windows
// keys and the application key. Some layouts (and Wine) give these no E0 prefix.
bool IsExtendedKey(uint8_t vk);

struct KeyEventShape {
    uint8_t scan = 0;    // the scan code passed with the event
    uint32_t flags = 0;  // kKeyEventKeyUp for a release, kKeyEventExtendedKey as the key needs
};

// A press or release of `vk`. Without scan codes: scan code 0 and never the extended-key flag,
// arrows included. With them, `vsc_ex` is the key's scan code with its prefix in the layout in use
// (MapVirtualKeyEx with MAPVK_VK_TO_VSC_EX): its low byte goes out, with the extended-key flag when
// the prefix is E0 or the key is on the list above; a code with any other prefix (Pause's E1
// sequence, which one event cannot carry) or none at all (0) goes out as scan code 0.
KeyEventShape KeyEventFor(uint8_t vk, bool up, bool scan_codes, uint32_t vsc_ex);

}  // namespace pwstd
