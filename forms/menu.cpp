#include "forms/menu.h"

namespace pwstd::forms {

MenuItem& MenuItem::Add(std::string name, std::string caption, int index) {
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption), index));
    return *items_.back();
}

void MenuItem::Remove(const std::string& name) {
    std::erase_if(items_, [&](const std::unique_ptr<MenuItem>& item) { return item->name() == name; });
}

MenuItem* MenuItem::Find(const std::string& name, int index) {
    if (name_ == name && index_ == index) return this;
    for (const auto& item : items_) {
        if (MenuItem* found = item->Find(name, index)) return found;
    }
    return nullptr;
}

}  // namespace pwstd::forms
