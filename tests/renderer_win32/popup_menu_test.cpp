// Popup menus through WinWindowHost under a real window system: the native menu shows the model's
// items, keys choose one, and its handler runs before ShowPopup returns.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "forms/menu.h"
#include "platform/win32/renderer/win_window_host.h"
#include "tests/renderer_win32/native_probe.h"
#include "tests/renderer_win32/ui_script.h"

namespace pwstd::test {
namespace {

class PopupMenuTest : public ::testing::Test {
protected:
    PopupMenuTest() : root("mnuPop", "Popup") {
        auto& properties = root.Add("mnuProp", "プロパティ...");
        Handle(properties.Add("mnuKeySet", "キー設定..."));
        Handle(properties.Add("mnuPadActivity", "一般設定..."));
        auto& templates = root.Add("mnuTempL1", "テンプレート");
        Handle(templates.Add("mnuTemp", "カスタム", 0));
        Handle(templates.Add("mnuTemp", "テンプレ1", 1)).SetChecked(true);
        Handle(templates.Add("mnuTemp", "テンプレ2", 2));
        root.Add("mnuBo", "-");
        Handle(root.Add("mnuAbout", "バージョン情報"));
        Handle(root.Add("mnuHelp", "ヘルプ")).SetEnabled(false);
        root.Add("mnuBo2", "-");
        Handle(root.Add("mnuQuit", "終了"));
    }

    forms::MenuItem& Handle(forms::MenuItem& item) {
        item.Click = [this, &item] {
            chosen.push_back(item.name() + (item.index() >= 0 ? " " + std::to_string(item.index()) : ""));
            chosen_inside_popup = inside_popup;
        };
        return item;
    }

    // Shows the menu, as the tray does, under `steps`.
    bool Popup(std::vector<UiScript::Step> steps) {
        UiScript script(std::move(steps), [] { EndMenu(); });
        SetForegroundWindow(owner.Handle());
        inside_popup = true;
        host.ShowPopup(root);
        inside_popup = false;
        return script.Finished();
    }

    UiScript::Step WaitForMenu() {
        return {"the menu opens", [this] {
                    HWND window = FindWindowW(L"#32768", nullptr);
                    if (window == nullptr || !IsWindowVisible(window)) return false;
                    menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
                    return menu != nullptr;
                }};
    }

    OwnerWindow owner;
    WinWindowHost host{owner.Handle()};
    forms::MenuItem root;
    HMENU menu = nullptr;
    std::vector<std::string> chosen;
    bool inside_popup = false, chosen_inside_popup = false;
};

struct ShownItem {
    std::wstring caption;  // empty: a separator
    bool submenu, checked, grayed;
};

std::vector<ShownItem> Items(HMENU menu) {
    std::vector<ShownItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = 64;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        // The system shows separators disabled: only the items' own state counts.
        items.push_back({separator ? L"" : caption, info.hSubMenu != nullptr, (info.fState & MFS_CHECKED) != 0,
                         !separator && (info.fState & MFS_GRAYED) != 0});
    }
    return items;
}

bool operator==(const ShownItem& a, const ShownItem& b) {
    return a.caption == b.caption && a.submenu == b.submenu && a.checked == b.checked && a.grayed == b.grayed;
}

void PrintTo(const ShownItem& item, std::ostream* out) {
    *out << (item.caption.empty() ? "separator" : "item of " + std::to_string(item.caption.size()) + " characters")
         << (item.submenu ? ", submenu" : "") << (item.checked ? ", checked" : "") << (item.grayed ? ", grayed" : "");
}

TEST_F(PopupMenuTest, ShowsTheItemsWithSubmenusSeparatorsAndCheckMarks) {
    const bool finished = Popup({
        WaitForMenu(),
        {"items", [this] {
             const std::vector<ShownItem> top = {
                 {L"プロパティ...", true, false, false}, {L"テンプレート", true, false, false},
                 {L"", false, false, false},            {L"バージョン情報", false, false, false},
                 {L"ヘルプ", false, false, true},        {L"", false, false, false},
                 {L"終了", false, false, false},
             };
             EXPECT_EQ(Items(menu), top);
             const std::vector<ShownItem> templates = {
                 {L"カスタム", false, false, false}, {L"テンプレ1", false, true, false}, {L"テンプレ2", false, false, false}};
             EXPECT_EQ(Items(GetSubMenu(menu, 1)), templates);
             EndMenu();
             return true;
         }},
    });
    EXPECT_TRUE(finished);
    EXPECT_TRUE(chosen.empty());
}

TEST_F(PopupMenuTest, TheItemChosenWithKeysRunsItsHandlerBeforeThePopupReturns) {
    struct Row {
        const char* what;
        std::vector<BYTE> keys;
        std::vector<std::string> chosen;
    };
    const Row rows[] = {
        {"a template in the submenu", {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}, {"mnuTemp 1"}},
        {"past the separator", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, {"mnuAbout"}},
        {"nothing: Esc", {VK_ESCAPE}, {}},
    };
    for (const Row& row : rows) {
        chosen.clear();
        chosen_inside_popup = false;
        std::vector<UiScript::Step> steps = {WaitForMenu()};
        for (BYTE key : row.keys) {
            steps.push_back({"key", [key] {
                                 PressKey(key);
                                 return true;
                             }});
        }
        EXPECT_TRUE(Popup(std::move(steps))) << row.what;
        EXPECT_EQ(chosen, row.chosen) << row.what;
        if (!row.chosen.empty()) {
            EXPECT_TRUE(chosen_inside_popup) << row.what;
        }
        HWND still_open = FindWindowW(L"#32768", nullptr);
        EXPECT_FALSE(still_open != nullptr && IsWindowVisible(still_open))
            << row.what << ": the menu is closed when the popup returns";
    }
}

}  // namespace
}  // namespace pwstd::test
