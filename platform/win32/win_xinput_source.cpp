#include "platform/win32/win_xinput_source.h"

#include <windows.h>
#include <xinput.h>

namespace pwstd {

bool WinXInput::Load() {
    // At run time, by name: the program imports no XInput library, so a system without one still
    // starts, and the library costs nothing while the option is off.
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput9_1_0.dll"}) {
        if (HMODULE library = LoadLibraryW(name)) {
            if (FARPROC proc = GetProcAddress(library, "XInputGetState")) {
                get_state_.store(reinterpret_cast<GetStateFn>(reinterpret_cast<void*>(proc)));
                return true;
            }
            FreeLibrary(library);
        }
    }
    return false;
}

uint32_t WinXInput::state(uint32_t user, XInputPad& out) {
    const GetStateFn get_state = get_state_.load();
    if (!get_state) return ERROR_DEVICE_NOT_CONNECTED;
    XINPUT_STATE state{};
    const DWORD result = get_state(user, &state);
    if (result != ERROR_SUCCESS) return result;
    out.buttons = state.Gamepad.wButtons;
    out.left_trigger = state.Gamepad.bLeftTrigger;
    out.right_trigger = state.Gamepad.bRightTrigger;
    out.lx = state.Gamepad.sThumbLX;
    out.ly = state.Gamepad.sThumbLY;
    out.rx = state.Gamepad.sThumbRX;
    out.ry = state.Gamepad.sThumbRY;
    return ERROR_SUCCESS;
}

static_assert(XINPUT_GAMEPAD_TRIGGER_THRESHOLD == 30);

}  // namespace pwstd
