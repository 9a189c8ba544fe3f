#include "platform/win32/renderer/win_fonts.h"

#include <cwchar>

#include "platform/win32/win_text.h"

namespace pwstd {

FontSet::FontSet(const forms::Font& form_font, ScreenDpi dpi) : dpi_(dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        base_ = metrics.lfMessageFont;
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof base_, &base_);
    }
    // The system's fonts are sized for its own resolution; a window on a display of another scale
    // takes them to its own.
    const ScreenDpi system = ScreenDpi::Query();
    if (dpi_.Y != system.Y) base_.lfHeight = MulDiv(base_.lfHeight, dpi_.Y, system.Y);
    form_font_ = Create(form_font, form_font.Bold);
    // Controls that name a font start from the form's, not from the system's.
    GetObjectW(form_font_, sizeof base_, &base_);
}

FontSet::~FontSet() {
    for (auto& [key, font] : fonts_) DeleteObject(font);
    DeleteObject(form_font_);
}

HFONT FontSet::Create(const forms::Font& font, bool bold) {
    LOGFONTW face = base_;
    if (!font.Name.empty()) {
        const std::wstring name = Utf8ToWide(font.Name);
        wcsncpy(face.lfFaceName, name.c_str(), LF_FACESIZE - 1);
        face.lfFaceName[LF_FACESIZE - 1] = L'\0';
        face.lfCharSet = DEFAULT_CHARSET;
    }
    if (font.Size > 0) face.lfHeight = dpi_.PointsToFontHeight(font.Size);
    if (bold) face.lfWeight = FW_BOLD;
    else if (!font.Name.empty() || font.Size > 0) face.lfWeight = FW_NORMAL;
    face.lfWidth = 0;
    return CreateFontIndirectW(&face);
}

HFONT FontSet::For(const forms::Font& font) {
    if (font.Name.empty() && font.Size == 0 && !font.Bold) return form_font_;
    const auto key = std::make_tuple(font.Name, font.Size, font.Bold);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    HFONT created = Create(font, font.Bold);
    fonts_.emplace(key, created);
    return created;
}

}  // namespace pwstd
