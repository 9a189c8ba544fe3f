#include "platform/win32/win_pad_source.h"

#include <windows.h>
#include <mmsystem.h>

namespace pwstd {

uint32_t WinPadSource::read(int32_t id, JoyReading& out) {
    // A record per call: the poll cycle and the test panel read from two threads.
    JOYINFOEX info{};
    info.dwSize = sizeof(JOYINFOEX);
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
    const MMRESULT result = joyGetPosEx(static_cast<UINT>(id), &info);
    out.Xpos = info.dwXpos;
    out.Ypos = info.dwYpos;
    out.Buttons = info.dwButtons;
    return result;
}

static_assert(sizeof(JOYINFOEX) == 52);
static_assert((JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS) == 0x83);

}  // namespace pwstd
