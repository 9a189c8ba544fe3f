#include "forms/control.h"

#include <algorithm>

#include "forms/form.h"

namespace pwstd::forms {

Control::Control(Form& form, const ControlSpec& desc, Control* container)
    : form_(form),
      spec_(desc),
      container_(container),
      caption_(desc.Caption),
      value_(desc.Kind == ControlKind::ListBox ? -1 : desc.Value),
      committed_(value_),
      min_(desc.Min),
      max_(desc.Max),
      enabled_(desc.Enabled),
      back_color_(desc.BackColor),
      interval_(desc.Interval) {}

void Control::Changed(Property property) {
    if (FormObserver* observer = form_.Observer()) observer->ControlChanged(*this, property);
}

void Control::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed(kind() == ControlKind::TextBox ? Property::Text : Property::Caption);
}

void Control::SetValue(int32_t value) {
    switch (kind()) {
        case ControlKind::HScrollBar:
            value = std::clamp(value, min_, std::max(min_, max_));
            committed_ = value;
            if (value == value_) return;
            value_ = value;
            Changed(Property::Value);
            if (Change) Change();
            return;
        case ControlKind::CheckBox:
            value = value != 0 ? 1 : 0;
            if (value == value_) return;
            value_ = value;
            Changed(Property::Value);
            if (Click) Click();
            return;
        case ControlKind::OptionButton:
            value = value != 0 ? 1 : 0;
            if (value == value_) return;
            if (value == 1) {
                // Selecting one option button of a group clears the others of the same container.
                for (const auto& other : form_.Controls()) {
                    if (other.get() != this && other->kind() == ControlKind::OptionButton &&
                        other->container() == container_ && other->value_ != 0) {
                        other->value_ = 0;
                        other->Changed(Property::Value);
                    }
                }
            }
            value_ = value;
            Changed(Property::Value);
            if (value == 1 && Click) Click();
            return;
        case ControlKind::ListBox:
            if (value < -1 || value >= static_cast<int32_t>(list_.size())) value = -1;
            if (value == value_) return;
            value_ = value;
            Changed(Property::Value);
            if (Click) Click();
            return;
        default:
            if (value == value_) return;
            value_ = value;
            Changed(Property::Value);
            return;
    }
}

void Control::AddItem(const std::string& item) {
    list_.push_back(item);
    Changed(Property::List);
}

void Control::Clear() {
    if (list_.empty() && value_ == -1) return;
    list_.clear();
    value_ = -1;
    Changed(Property::List);
}

void Control::SetMax(int32_t max) {
    if (max == max_) return;
    max_ = max;
    Changed(Property::Range);
    if (kind() == ControlKind::HScrollBar && value_ > std::max(min_, max_)) SetValue(max_);
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed(Property::Enabled);
}

void Control::SetBackColor(uint32_t color) {
    if (color == back_color_) return;
    back_color_ = color;
    Changed(Property::BackColor);
}

void Control::Commit(int32_t value) {
    value = std::clamp(value, min_, std::max(min_, max_));
    if (value != value_) {
        value_ = value;
        Changed(Property::Value);
    }
    if (value == committed_) return;
    committed_ = value;
    if (Change) Change();
}

void Control::UserScroll(ScrollAction action, int32_t position) {
    if (kind() != ControlKind::HScrollBar || !enabled_) return;
    switch (action) {
        case ScrollAction::LineLeft: return Commit(value_ - spec_.SmallChange);
        case ScrollAction::LineRight: return Commit(value_ + spec_.SmallChange);
        case ScrollAction::PageLeft: return Commit(value_ - spec_.LargeChange);
        case ScrollAction::PageRight: return Commit(value_ + spec_.LargeChange);
        case ScrollAction::Leftmost: return Commit(min_);
        case ScrollAction::Rightmost: return Commit(max_);
        case ScrollAction::ThumbPosition: return Commit(position);
        case ScrollAction::ThumbTrack: {
            position = std::clamp(position, min_, std::max(min_, max_));
            if (position == value_) return;
            value_ = position;
            Changed(Property::Value);
            if (Scroll) Scroll();
            return;
        }
        case ScrollAction::EndScroll: return;
    }
}

void Control::UserClick() {
    if (!enabled_) return;
    switch (kind()) {
        case ControlKind::CommandButton:
            if (Click) Click();
            return;
        case ControlKind::CheckBox: return SetValue(value_ != 0 ? 0 : 1);
        case ControlKind::OptionButton: return SetValue(1);
        default: return;
    }
}

void Control::UserKeyDown(int16_t key_code, int16_t shift) {
    if (enabled_ && KeyDown) KeyDown(key_code, shift);
}

void Control::UserMouseDown() {
    if (enabled_ && MouseDown) MouseDown();
}

void Control::UserSelect(int32_t index) {
    if (enabled_ && kind() == ControlKind::ListBox) SetValue(index);
}

void Control::Tick() {
    if (enabled_ && interval_ > 0 && Timer) Timer();
}

}  // namespace pwstd::forms
