#pragma once
// A native popup menu built from a tree of menu items, for one showing.
#include <windows.h>

#include <vector>

#include "forms/menu.h"

namespace pwstd {

class PopupMenu {
public:
    // The items below `root` (not `root` itself): "-" becomes a separator, an item with items of its
    // own a submenu, and check marks and disabled items are shown as the model holds them.
    explicit PopupMenu(forms::MenuItem& root);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    HMENU Handle() const { return menu_; }
    // The item a command number from TrackPopupMenu stands for; nullptr for 0 (nothing chosen).
    forms::MenuItem* ItemFor(UINT command) const;

private:
    HMENU Build(forms::MenuItem& parent);

    HMENU menu_ = nullptr;
    std::vector<forms::MenuItem*> items_;  // command number i + 1 is items_[i]
};

}  // namespace pwstd
