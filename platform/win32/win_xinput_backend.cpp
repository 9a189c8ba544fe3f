#include "platform/win32/win_xinput_backend.h"

#include <windows.h>
#include <xinput.h>

#include "engine/input/xinput_pad.h"

namespace pwstd {

bool WinXInputBackend::Load() {
    // At run time, by name: the program imports no XInput library, so a system without one still
    // starts, and the library costs nothing while the option is off. Loaded once: the options
    // may be turned on again and again while the program runs.
    if (get_state_.load() != nullptr) return true;
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

int32_t WinXInputBackend::count() { return kXInputUsers; }

uint32_t WinXInputBackend::read(int32_t index, const PadQuery& query, PadState& out) {
    (void)query;  // a reading always gives everything
    const GetStateFn get_state = get_state_.load();
    if (!get_state) return ERROR_DEVICE_NOT_CONNECTED;
    XINPUT_STATE state{};
    const DWORD result = get_state(static_cast<DWORD>(index), &state);
    if (result != ERROR_SUCCESS) return result;
    XInputPad pad;
    pad.buttons = state.Gamepad.wButtons;
    pad.left_trigger = state.Gamepad.bLeftTrigger;
    pad.right_trigger = state.Gamepad.bRightTrigger;
    pad.lx = state.Gamepad.sThumbLX;
    pad.ly = state.Gamepad.sThumbLY;
    pad.rx = state.Gamepad.sThumbRX;
    pad.ry = state.Gamepad.sThumbRY;
    out = XInputState(pad);
    return ERROR_SUCCESS;
}

uint32_t WinXInputBackend::caps(int32_t index, PadCaps& out) {
    (void)index;
    out = XInputCaps();
    return ERROR_SUCCESS;
}

static_assert(XINPUT_GAMEPAD_TRIGGER_THRESHOLD == kXInputTriggerThreshold);
static_assert(XUSER_MAX_COUNT == kXInputUsers);
static_assert(XINPUT_GAMEPAD_A == kXInputA && XINPUT_GAMEPAD_DPAD_UP == kXInputDpadUp &&
              XINPUT_GAMEPAD_RIGHT_SHOULDER == kXInputRightShoulder);

}  // namespace pwstd
