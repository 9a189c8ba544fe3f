#pragma once
// The fonts of one window: the form's font and the fonts its controls ask for, created once each
// and freed with the window.
#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "forms/control.h"
#include "platform/win32/renderer/win_metrics.h"

namespace pwstd {

class FontSet {
public:
    // The form's font: `font` with an empty name takes the system's message font face, and a size
    // of 0 the message font's size. Sizes are for a window at `dpi`, whatever the system's.
    FontSet(const forms::Font& form_font, ScreenDpi dpi);
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    HFONT FormFont() const { return form_font_; }
    // A control's font. A control that names no font, no size and no bold face shows the form's
    // font; otherwise its name and size fall back to the form's where left empty, and it is bold
    // exactly when it asks to be.
    HFONT For(const forms::Font& font);

private:
    HFONT Create(const forms::Font& font, bool bold);

    ScreenDpi dpi_;
    LOGFONTW base_{};
    HFONT form_font_ = nullptr;
    std::map<std::tuple<std::string, int32_t, bool>, HFONT> fonts_;
};

}  // namespace pwstd
