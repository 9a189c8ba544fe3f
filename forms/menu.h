#pragma once
// Menu items: a tree of captions with check marks and click handlers. A popup shows the items
// below one root; a caption of "-" is a separator.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pwstd::forms {

class MenuItem {
public:
    MenuItem(std::string name, std::string caption, int index = -1)
        : name_(std::move(name)), index_(index), caption_(std::move(caption)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& name() const { return name_; }
    int index() const { return index_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool IsSeparator() const { return caption_ == "-"; }

    MenuItem& Add(std::string name, std::string caption, int index = -1);
    // Removes the items directly below this one that have this name; nothing when there is none.
    void Remove(const std::string& name);
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // Depth-first search below this item (itself included).
    MenuItem* Find(const std::string& name, int index = -1);

    std::function<void()> Click;
    // The user chose this item.
    void Choose() {
        if (Click) Click();
    }

private:
    std::string name_;
    int index_;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace pwstd::forms
