// A stand-in xinput1_4.dll for the Windows tests. Placed next to the executable under test and
// chosen with WINEDLLOVERRIDES=xinput1_4=n,b, it answers XInputGetState from the pad the test
// writes into the shared block named by PWSTD_STANDIN: one pad at one user index, or none.
//
// <xinput.h> is left out on purpose: it declares XInputGetState as an import.
#include <windows.h>

#include <atomic>

#include "tests/win32/support/standin_block.h"

namespace {

using pwstd::standin::Block;

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

template <class T>
std::atomic_ref<T> At(T& field) {
    return std::atomic_ref<T>(field);
}

Block* OpenBlock() {
    wchar_t name[256];
    const DWORD length = GetEnvironmentVariableW(pwstd::standin::kEnvName, name, 256);
    if (length == 0 || length >= 256) return nullptr;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (!mapping) return nullptr;
    auto* block = static_cast<Block*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!block || At(block->magic).load() != pwstd::standin::kMagic) return nullptr;
    return block;
}

Block* TheBlock() {
    static Block* const block = OpenBlock();
    return block;
}

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
