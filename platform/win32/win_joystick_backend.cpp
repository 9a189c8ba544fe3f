#include "platform/win32/win_joystick_backend.h"

#include <windows.h>
#include <mmsystem.h>

#include "engine/input/joystick_service.h"

namespace pwstd {

int32_t WinJoystickBackend::count() { return static_cast<int32_t>(joyGetNumDevs()); }

uint32_t WinJoystickBackend::read(int32_t index, const PadQuery& query, PadState& out) {
    // A record per call: the poll cycle and the test panel read from two threads.
    JOYINFOEX info{};
    info.dwSize = sizeof(JOYINFOEX);
    info.dwFlags = JoyServiceFlags(query);
    const MMRESULT result = joyGetPosEx(static_cast<UINT>(index), &info);
    if (result != JOYERR_NOERROR) return result;
    out = JoyServiceState({info.dwXpos, info.dwYpos, info.dwZpos, info.dwRpos, info.dwUpos, info.dwVpos,
                           info.dwButtons, info.dwPOV},
                          query);
    return result;
}

uint32_t WinJoystickBackend::caps(int32_t index, PadCaps& out) {
    JOYCAPSW caps{};
    const MMRESULT result = joyGetDevCapsW(static_cast<UINT_PTR>(index), &caps, sizeof(caps));
    if (result == JOYERR_NOERROR) out = JoyServiceCaps(caps.wNumAxes, caps.wCaps);
    return result;
}

static_assert(sizeof(JOYINFOEX) == 52);
static_assert(sizeof(JOYCAPSW) == 728);
static_assert((JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS) == kJoyReturnXYButtons);
static_assert(JOY_RETURNPOV == kJoyReturnPov && JOY_RETURNPOVCTS == kJoyReturnPovCts);
static_assert(JOY_POVCENTERED == kJoyPovCentered);
static_assert((JOY_RETURNZ | JOY_RETURNR | JOY_RETURNU | JOY_RETURNV) == kJoyReturnZRUV);
static_assert(JOYCAPS_HASZ == kJoyCapsHasZ && JOYCAPS_HASR == kJoyCapsHasR &&
              JOYCAPS_HASU == kJoyCapsHasU && JOYCAPS_HASV == kJoyCapsHasV &&
              JOYCAPS_HASPOV == kJoyCapsHasPov && JOYCAPS_POVCTS == kJoyCapsPovCts);

}  // namespace pwstd
