// A stand-in xinput1_4.dll for the Windows tests. Placed next to the executable under test and
// chosen with WINEDLLOVERRIDES=xinput1_4=n,b, it answers XInputGetState from the pad the test
// writes into the shared block named by PWSTD_STANDIN: one pad at one user index, or none.
//
// <xinput.h> is left out on purpose: it declares XInputGetState as an import.
#include <windows.h>

#include <atomic>

#include "tests/win32/support/standin_open.h"

namespace {

using pwstd::standin::At;
using pwstd::standin::Block;
using pwstd::standin::OpenBlock;
using pwstd::standin::TheBlock;

struct Gamepad {
    WORD wButtons;
    BYTE bLeftTrigger;
    BYTE bRightTrigger;
    SHORT sThumbLX, sThumbLY, sThumbRX, sThumbRY;
};
struct State {
    DWORD dwPacketNumber;
    Gamepad Gamepad;
};
static_assert(sizeof(State) == 16);

constexpr DWORD kNotConnected = 1167;  // ERROR_DEVICE_NOT_CONNECTED

}  // namespace

extern "C" DWORD WINAPI StandinXInputGetState(DWORD user, State* state) {
    Block* block = TheBlock();
    if (!block) return kNotConnected;
    At(block->xinput_calls).fetch_add(1);
    if (!state || user > 3) return ERROR_BAD_ARGUMENTS;
    if (At(block->xinput_user).load() != user + 1) return kNotConnected;
    const uint32_t triggers = At(block->xinput_triggers).load();
    state->dwPacketNumber = At(block->xinput_calls).load();
    state->Gamepad.wButtons = static_cast<WORD>(At(block->xinput_buttons).load());
    state->Gamepad.bLeftTrigger = static_cast<BYTE>(triggers);
    state->Gamepad.bRightTrigger = static_cast<BYTE>(triggers >> 8);
    state->Gamepad.sThumbLX = static_cast<SHORT>(At(block->xinput_lx).load());
    state->Gamepad.sThumbLY = static_cast<SHORT>(At(block->xinput_ly).load());
    state->Gamepad.sThumbRX = static_cast<SHORT>(At(block->xinput_rx).load());
    state->Gamepad.sThumbRY = static_cast<SHORT>(At(block->xinput_ry).load());
    return 0;
}
