#pragma once
// What a popup menu shows, seen from outside. Wine keeps a menu's items in the process that made
// it, so another process cannot read them; the test photographs the program's template submenu
// instead and compares it with a submenu of its own, made by the same system from the expected
// captions and opened the same way: equal pictures mean equal captions, check marks and order.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/app_session.h"

namespace pwstd::wintest {

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
    bool operator==(const Picture& other) const = default;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// The window as it shows on the screen, once it has stopped changing.
Picture Photograph(HWND window);

// The program's popup menu opened from the tray at `at` and walked into "テンプレート" with the
// keys; its submenu's picture. The menu is closed again.
Picture ProgramTemplateMenu(AppSession& app, POINT at);
// The same walk through a popup of this process whose "テンプレート" submenu holds `captions`
// (as given to the system: "&&" for an ampersand), item `checked` with the check mark.
Picture ReferenceTemplateMenu(const std::vector<std::wstring>& captions, int checked, POINT at);

// The default template names "テンプレート１" ... "テンプレート１０", after "カスタム".
std::vector<std::wstring> DefaultTemplateCaptions();

}  // namespace pwstd::wintest
