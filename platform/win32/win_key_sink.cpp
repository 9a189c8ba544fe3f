#include "platform/win32/win_key_sink.h"

#include <windows.h>

#include "engine/output/key_event.h"
#include "engine/output/mouse_outputs.h"

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

// Relative movement only: the system's pointer speed and acceleration apply as to a real mouse,
// and games that read raw relative movement see it.
void WinKeySink::mouse(uint32_t flags, int32_t dx, int32_t dy, int32_t data) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = static_cast<DWORD>(data);
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

static_assert(MOUSEEVENTF_MOVE == kMouseMove && MOUSEEVENTF_LEFTDOWN == kMouseLeftDown &&
              MOUSEEVENTF_LEFTUP == kMouseLeftUp && MOUSEEVENTF_RIGHTDOWN == kMouseRightDown &&
              MOUSEEVENTF_RIGHTUP == kMouseRightUp && MOUSEEVENTF_MIDDLEDOWN == kMouseMiddleDown &&
              MOUSEEVENTF_MIDDLEUP == kMouseMiddleUp && MOUSEEVENTF_XDOWN == kMouseXDown &&
              MOUSEEVENTF_XUP == kMouseXUp && MOUSEEVENTF_WHEEL == kMouseWheel &&
              MOUSEEVENTF_HWHEEL == kMouseHWheel);
static_assert(XBUTTON1 == kMouseXButton1 && XBUTTON2 == kMouseXButton2 && WHEEL_DELTA == kWheelDelta);
static_assert(VK_LBUTTON == kMouseLeftCode && VK_RBUTTON == kMouseRightCode && VK_MBUTTON == kMouseMiddleCode &&
              VK_XBUTTON1 == kMouseX1Code && VK_XBUTTON2 == kMouseX2Code);
static_assert(KEYEVENTF_EXTENDEDKEY == kKeyEventExtendedKey);
static_assert(KEYEVENTF_KEYUP == kKeyEventKeyUp);

}  // namespace pwstd
