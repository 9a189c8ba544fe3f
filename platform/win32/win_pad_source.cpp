#include "platform/win32/win_pad_source.h"

#include <windows.h>
#include <mmsystem.h>

namespace pwstd {

uint32_t WinPadSource::read(int32_t id, uint32_t flags, JoyReading& out) {
    // A record per call: the poll cycle and the test panel read from two threads.
    JOYINFOEX info{};
    info.dwSize = sizeof(JOYINFOEX);
    info.dwFlags = flags;
    const MMRESULT result = joyGetPosEx(static_cast<UINT>(id), &info);
    out.Xpos = info.dwXpos;
    out.Ypos = info.dwYpos;
    out.Buttons = info.dwButtons;
    out.Pov = info.dwPOV;
    out.Zpos = info.dwZpos;
    out.Rpos = info.dwRpos;
    out.Upos = info.dwUpos;
    out.Vpos = info.dwVpos;
    return result;
}

uint32_t WinPadSource::joysticks() { return joyGetNumDevs(); }

uint32_t WinPadSource::caps(int32_t id, JoyCaps& out) {
    JOYCAPSW caps{};
    const MMRESULT result = joyGetDevCapsW(static_cast<UINT_PTR>(id), &caps, sizeof(caps));
    out.axes = caps.wNumAxes;
    out.caps = caps.wCaps;
    return result;
}

static_assert(sizeof(JOYINFOEX) == 52);
static_assert(sizeof(JOYCAPSW) == 728);
static_assert((JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS) == kJoyReturnXYButtons);
static_assert(JOY_RETURNPOV == kJoyReturnPov);
static_assert(JOY_POVCENTERED == kJoyPovCentered);
static_assert((JOY_RETURNZ | JOY_RETURNR | JOY_RETURNU | JOY_RETURNV) == kJoyReturnZRUV);
static_assert(JOYCAPS_HASZ == kJoyCapsHasZ && JOYCAPS_HASR == kJoyCapsHasR &&
              JOYCAPS_HASU == kJoyCapsHasU && JOYCAPS_HASV == kJoyCapsHasV &&
              JOYCAPS_HASPOV == kJoyCapsHasPov);

}  // namespace pwstd
