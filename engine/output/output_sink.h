#pragma once
// Where the engine's output goes: synthetic keys for the window with the keyboard focus, and with
// the mouse on, synthetic mouse input.
#include <cstdint>

namespace pwstd {

class OutputSink {
public:
    virtual ~OutputSink() = default;
    // Keys are about to be sent (one poll's, or the releases at quit): look up once what they
    // share, e.g. the keyboard layout in use. Called before the first key of every such batch, on
    // the thread that sends it.
    virtual void begin_keys() {}
    // The scan code of `vk` with its prefix in the layout begin_keys looked up (MapVirtualKeyEx
    // with MAPVK_VK_TO_VSC_EX), 0 when the layout has none. Asked only while scan codes are sent.
    virtual uint32_t scan_code(uint8_t vk) = 0;
    // Sends one synthetic key event, as keybd_event(vk, scan, flags, 0) does: `flags` holds
    // kKeyEventKeyUp for a release and kKeyEventExtendedKey as the key needs. Timer thread; at
    // quit, the UI thread after the timer is stopped.
    virtual void key(uint8_t vk, uint8_t scan, uint32_t flags) = 0;
    // Sends one synthetic mouse event, as one MOUSEINPUT: `flags` the kMouse* values
    // (engine/output/mouse_outputs.h), `dx`, `dy` a relative move with kMouseMove (never absolute
    // coordinates), `data` the X button or the wheel's amount. Only called while the mouse is on;
    // the same threads as key().
    virtual void mouse(uint32_t flags, int32_t dx, int32_t dy, int32_t data) = 0;
};

}  // namespace pwstd
