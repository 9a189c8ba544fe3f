#include "engine/output/key_event.h"

namespace pwstd {

bool IsExtendedKey(uint8_t vk) {
    switch (vk) {
        case 0x21:  // VK_PRIOR, Page Up
        case 0x22:  // VK_NEXT, Page Down
        case 0x23:  // VK_END
        case 0x24:  // VK_HOME
        case 0x25:  // VK_LEFT
        case 0x26:  // VK_UP
        case 0x27:  // VK_RIGHT
        case 0x28:  // VK_DOWN
        case 0x2D:  // VK_INSERT
        case 0x2E:  // VK_DELETE
        case 0x5B:  // VK_LWIN
        case 0x5C:  // VK_RWIN
        case 0x5D:  // VK_APPS
        case 0x6F:  // VK_DIVIDE
        case 0x90:  // VK_NUMLOCK
        case 0xA3:  // VK_RCONTROL
        case 0xA5:  // VK_RMENU
            return true;
        default:
            return false;
    }
}

KeyEventShape KeyEventFor(uint8_t vk, bool up, bool scan_codes, uint32_t vsc_ex) {
    KeyEventShape shape;
    shape.flags = up ? kKeyEventKeyUp : 0;
    if (!scan_codes) return shape;
    const uint32_t prefix = vsc_ex >> 8;
    if (prefix == 0 || prefix == 0xE0) shape.scan = static_cast<uint8_t>(vsc_ex);
    if (prefix == 0xE0 || IsExtendedKey(vk)) shape.flags |= kKeyEventExtendedKey;
    return shape;
}

}  // namespace pwstd
