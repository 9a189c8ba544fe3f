#include "platform/win32/win_ansi_code_page.h"

#include <windows.h>

#include "platform/win32/win_text.h"

namespace pwstd {

// Without WC_NO_BEST_FIT_CHARS a character the code page lacks may become a look-alike ("é" as
// "e") and count as held. A system whose ANSI code page is UTF-8 holds everything, and there the
// call would refuse the "used default" flag.
bool WinAnsiCodePage::holds(std::string_view character) const {
    if (GetACP() == CP_UTF8) return true;
    const std::wstring wide = Utf8ToWide(character);
    if (wide.empty()) return false;
    char bytes[16];
    BOOL used_default = FALSE;
    const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                            bytes, static_cast<int>(sizeof bytes), nullptr, &used_default);
    return written > 0 && !used_default;
}

}  // namespace pwstd
