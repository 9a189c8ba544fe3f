// The options dialog as the renderer lays it out at the display's scale (the 96 and 144 dpi
// stages): every caption fits its control, and the window fits the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "dialogs/options/opts.h"
#include "platform/win32/renderer/win_window_host.h"
#include "tests/options/fake_startup.h"
#include "tests/renderer_win32/native_probe.h"
#include "tests/renderer_win32/ui_script.h"

namespace pwstd::test {
namespace {

class EmptyProfile final : public Profile {
public:
    std::string get(const std::string&, const std::string&, const std::string& def, const std::string&) override {
        return def;
    }
    int32_t put(const std::string&, const std::string&, const std::string&, const std::string&) override { return 0; }
    int32_t remove(const std::string&, const std::string&, const std::string&) override { return 0; }
};

// The width of the control's text in its own font, in pixels.
int TextWidth(HWND native) {
    wchar_t text[256] = {};
    const int length = GetWindowTextW(native, text, 256);
    HDC dc = GetDC(native);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(native, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text, length, &size);
    SelectObject(dc, old);
    ReleaseDC(native, dc);
    return size.cx;
}

TEST(OptionsLayout, EveryCaptionFitsItsControlAndTheWindowFitsTheScreen) {
    SharedState state;
    state.IniPath = "C:\\PwStd\\PwStd.ini";
    for (int n = 1; n <= kTemplateCount; ++n) state.TemplateNames[n] = DefaultTemplateName(n);
    Options options;
    EmptyProfile profile;
    FakeStartup startup;
    Opts dialog(state, options, profile, startup, nullptr);
    WinWindowHost host(nullptr);
    UiScript script(
        {{"the window shows",
          [&] {
              const HWND window = host.ActiveFormWindow();
              return window != nullptr && IsWindowVisible(window);
          }},
         {"captions fit",
          [&] {
              const HWND window = host.ActiveFormWindow();
              // A check box's box and the gap after it take about one character of the system font.
              const int box = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
              for (const auto& control : dialog.Controls()) {
                  if (control->kind() != forms::ControlKind::CheckBox && control->kind() != forms::ControlKind::Label &&
                      control->kind() != forms::ControlKind::CommandButton)
                      continue;
                  const HWND native = NativeOf(window, dialog, *control);
                  RECT place{};
                  GetClientRect(native, &place);
                  const int room = place.right - (control->kind() == forms::ControlKind::CheckBox ? box : 0);
                  EXPECT_LE(TextWidth(native), room) << control->name() << "(" << control->index() << ") "
                                                     << control->Caption();
              }
              RECT frame{}, work{};
              GetWindowRect(window, &frame);
              SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
              EXPECT_LE(frame.right - frame.left, work.right - work.left);
              EXPECT_LE(frame.bottom - frame.top, work.bottom - work.top);
              dialog.Unload();
              return true;
          }}},
        [&] {
            if (dialog.Loaded()) dialog.Unload();
        });
    host.ShowModal(dialog);
    EXPECT_TRUE(script.Finished());
}

}  // namespace
}  // namespace pwstd::test
