#pragma once
// The settings and engine variables through which every part of the program meets.
//
// The program holds exactly one SharedState for its whole life and hands references to it to the
// engine, the resident form and the dialogs; tests make their own. Fields marked "UI thread only"
// are never touched by the poll timer's thread and need no atomic.
#include <array>
#include <cstdint>
#include <string>

#include "engine/relaxed.h"

namespace pwstd {

// Booleans are 16-bit with True = -1, as the settings and the forms have always stored them.
constexpr int16_t True = -1;
constexpr int16_t False = 0;

constexpr int32_t kMaxButtons = 30;
constexpr int kTemplateCount = 10;
// The controls of the Z, R, U and V axes: each axis's low end, then its high end.
constexpr int kAxisControls = 8;

// Direction indexes of DirKeys, also the order of the settings keys Cursor1..Cursor4.
enum Direction : int { kUp = 0, kDown = 1, kLeft = 2, kRight = 3 };

// The key codes currently sent: Windows virtual-key codes, always within 1..255.
struct KeyMap {
    std::array<Relaxed<int32_t>, 4> DirKeys;                   // up, down, left, right
    std::array<Relaxed<int32_t>, kMaxButtons + 1> ButtonKeys;  // 1..30; element 0 unused
    // Z low, Z high, R low, R high, U low, U high, V low, V high; 0 = the control sends nothing.
    std::array<Relaxed<int32_t>, kAxisControls> AxisKeys;
};

struct SharedState : KeyMap {
    Relaxed<int32_t> Wait;       // poll period in ms, 1..200
    Relaxed<int16_t> PadActive;  // True while the pad runs; the poll cycle idles while False
    Relaxed<int32_t> Buttons;    // buttons examined, 1..30
    Relaxed<int32_t> Kando;      // sensitivity, 0..32767
    Relaxed<int16_t> Repeat;     // 0 or 1
    Relaxed<int16_t> Keyup;      // 0 or 1; only matters while Repeat is 1
    Relaxed<int16_t> StartTemp;  // start-up key map rule, 0..2
    Relaxed<int16_t> IconFrame;  // running tray icon frame now shown, 1..4
    Relaxed<int32_t> TimerId;    // periodic multimedia timer driving the poll cycle

    // Options for today's pads and games, each 0 or 1, read at start-up only; 0 keeps every
    // reading and key event as it has always been.
    Relaxed<int16_t> PovStick;     // 1: the hat gives directions where the stick is centred
    Relaxed<int16_t> AnyJoystick;  // 1: when joystick 1 gives no reading, the first that does
    Relaxed<int16_t> ScanCodes;    // 1: key events carry scan codes and the extended-key flag
    Relaxed<int16_t> AppSwitch;    // 1: the key map follows the program in front
    // 0 = off, 1..30: that pad button sends no key; each press moves to the next template.
    Relaxed<int32_t> TemplateButton;
    Relaxed<int16_t> AllAxes;      // 1: the Z, R, U and V axes are controls too, with AxisKeys
    Relaxed<int16_t> XInput;       // 1: a connected XInput pad is read in place of joystick 1

    std::array<std::string, kTemplateCount + 1> TemplateNames;  // UI thread only; 1..10, UTF-8
    std::string IniPath;                                        // UI thread only; set once
    // UI thread only: the slot the user last chose (start-up, menu, pad), which may differ from
    // the checked one while the key map follows the program in front.
    int16_t HandTemplate = 0;
};

// One decoded joystick reading.
struct PadSnapshot {
    int32_t DirX = 0;         // -1 left, 0 centre, +1 right
    int32_t DirY = 0;         // -1 up, 0 centre, +1 down
    uint32_t ButtonMask = 0;  // bit i-1 set: button i pressed
    int32_t ReadError = 0;    // 0, or the service's code / the failure's number (then all else 0)
    uint32_t AxisMask = 0;    // with AllAxes: bit a set: axis control a + 1 (Z low .. V high) held
};

// The controls in the order their keys are sent: left, right, up, down, buttons 1..30, then the
// axis controls Z low .. V high.
enum Control : int { kControlLeft = 0, kControlRight = 1, kControlUp = 2, kControlDown = 3, kControlButton1 = 4 };
constexpr int kControlAxis1 = kControlButton1 + kMaxButtons;
constexpr int kControlCount = kControlAxis1 + kAxisControls;

// What the poll cycle remembers from one poll to the next; zero at start. Only the timer's thread
// touches it while the timer runs.
struct PollState {
    // The key code each control has down in the system, 0 while it is up. A release always sends
    // the code that went down, whatever the key map, the pause or the button count say by then:
    // the system keeps a key down until it sees the release of that very code.
    std::array<uint8_t, kControlCount> Down{};
    int32_t PollCount = 0;                              // polls since the last rate display
    uint32_t LastRateTick = 0;  // tick count at the last rate display; compared by unsigned
                                // difference so the display survives the 49.7-day wrap
};

}  // namespace pwstd
