#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/hidden_window.h"

namespace pwstd {
namespace {

TEST(HiddenWindow, RoutesTheShellsMessagesAndUnloadsOnce) {
    HiddenWindow window(GetModuleHandleW(nullptr));
    ASSERT_NE(window.handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(window.handle()));
    std::vector<std::string> seen;
    window.SetHandlers({
        .tray = [&](uint32_t mouse) { seen.push_back("tray " + std::to_string(mouse)); },
        .taskbar_created = [&] { seen.push_back("taskbar"); },
        .display_changed = [&] { seen.push_back("display"); },
        .device_changed = [&] { seen.push_back("device"); },
        .unload = [&] { seen.push_back("unload"); },
    });
    const HWND w = window.handle();
    SendMessageW(w, 512, 0, MAKELPARAM(516, 7));  // the high word is not the message
    SendMessageW(w, 512, 0, 513);
    SendMessageW(w, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    SendMessageW(w, WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080));
    RECT suggested{0, 0, 0, 0};
    SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    SendMessageW(w, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    SendMessageW(w, WM_DEVICECHANGE, 7, 0);
    EXPECT_EQ(SendMessageW(w, WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageW(w, WM_ENDSESSION, FALSE, 0);  // the session goes on
    SendMessageW(w, WM_ENDSESSION, TRUE, 0);
    SendMessageW(w, WM_CLOSE, 0, 0);  // already unloaded: only the window goes
    EXPECT_EQ(seen, (std::vector<std::string>{"tray 516", "tray 513", "taskbar", "display", "display", "display",
                                            "device", "unload"}));
    EXPECT_FALSE(IsWindow(w));
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop ends";
}

}  // namespace
}  // namespace pwstd
