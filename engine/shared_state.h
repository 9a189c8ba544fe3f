#pragma once
// The settings and engine variables through which every part of the program meets.
//
// The program holds exactly one SharedState for its whole life and hands references to it to the
// engine, the resident form and the dialogs; tests make their own. Fields marked "UI thread only"
// are never touched by the poll timer's thread and need no atomic.
#include <array>
#include <cstdint>
#include <string>

#include "engine/bindings/control.h"
#include "engine/relaxed.h"

namespace pwstd {

// Booleans are 16-bit with True = -1, as the settings and the forms have always stored them.
constexpr int16_t True = -1;
constexpr int16_t False = 0;

constexpr int kTemplateCount = 10;

struct SharedState {
    Relaxed<int32_t> Wait;       // poll period in ms, 1..200
    Relaxed<int16_t> PadActive;  // True while the pad runs; the poll cycle idles while False
    Relaxed<int32_t> Buttons;    // buttons examined, 1..30
    Relaxed<int32_t> Kando;      // sensitivity, 0..32767
    Relaxed<int16_t> Repeat;     // 0 or 1
    Relaxed<int16_t> Keyup;      // 0 or 1; only matters while Repeat is 1
    Relaxed<int16_t> StartTemp;  // start-up key map rule, 0..2
    Relaxed<int16_t> IconFrame;  // running tray icon frame now shown, 1..4
    Relaxed<int32_t> TimerId;    // periodic multimedia timer driving the poll cycle

    std::array<std::string, kTemplateCount + 1> TemplateNames;  // UI thread only; 1..10, UTF-8
    std::string IniPath;                                        // UI thread only; set once
};

}  // namespace pwstd
