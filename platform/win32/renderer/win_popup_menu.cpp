#include "platform/win32/renderer/win_popup_menu.h"

#include "platform/win32/win_text.h"

namespace pwstd {

PopupMenu::PopupMenu(forms::MenuItem& root) { menu_ = Build(root); }

// Destroying the popup destroys its submenus with it.
PopupMenu::~PopupMenu() { DestroyMenu(menu_); }

HMENU PopupMenu::Build(forms::MenuItem& parent) {
    HMENU menu = CreatePopupMenu();
    for (const auto& item : parent.Items()) {
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        // Captions are shown as they are: a template name with "&" must not turn the next letter
        // into an underlined accelerator.
        std::wstring caption;
        for (wchar_t c : Utf8ToWide(item->Caption())) {
            caption += c;
            if (c == L'&') caption += L'&';
        }
        UINT flags = MF_STRING;
        if (item->Checked()) flags |= MF_CHECKED;
        if (!item->Enabled()) flags |= MF_GRAYED;
        if (!item->Items().empty()) {
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(Build(*item)), caption.c_str());
            continue;
        }
        items_.push_back(item.get());
        AppendMenuW(menu, flags, items_.size(), caption.c_str());
    }
    return menu;
}

forms::MenuItem* PopupMenu::ItemFor(UINT command) const {
    if (command == 0 || command > items_.size()) return nullptr;
    return items_[command - 1];
}

}  // namespace pwstd
