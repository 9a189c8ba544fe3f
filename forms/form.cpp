#include "forms/form.h"

#include <algorithm>
#include <stdexcept>

namespace pwstd::forms {

void Form::Load() {
    focused_ = nullptr;
    controls_.clear();
    for (const ControlSpec& desc : Declare()) {
        Control* container = desc.Container.empty() ? nullptr : &Find(desc.Container);
        controls_.push_back(std::make_unique<Control>(*this, desc, container));
    }
    loaded_ = true;
    Connect();
    Form_Load();
    if (loaded_ && focused_ == nullptr) {
        for (Control* control : TabOrder()) {
            if (control->Enabled()) {
                FocusedByUser(control);
                break;
            }
        }
    }
}

void Form::Unload() { Close(kFromCode); }

void Form::UserClose() { Close(kFromControlMenu); }

void Form::Close(int16_t mode) {
    if (!loaded_) return;
    int16_t cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel != 0) return;
    Form_Unload(cancel);
    if (cancel != 0) return;
    // The controls stay alive until the next load: the handler that asked for the unload may
    // still be running on one of them.
    loaded_ = false;
    focused_ = nullptr;
    if (observer_) observer_->Unloaded();
}

void Form::PressEnter() {
    if (focused_ && focused_->kind() == ControlKind::CommandButton) return focused_->UserClick();
    for (const auto& control : controls_) {
        if (control->kind() == ControlKind::CommandButton && control->layout().Default) return control->UserClick();
    }
}

void Form::PressEscape() {
    for (const auto& control : controls_) {
        if (control->kind() == ControlKind::CommandButton && control->layout().Cancel) return control->UserClick();
    }
}

void Form::UserMouseDown(int16_t button, int16_t shift, float x, float y) {
    if (loaded_) Form_MouseDown(button, shift, x, y);
}

void Form::SetFocus(Control& control) {
    if (&control == focused_) return;
    FocusedByUser(&control);
    if (observer_ && focused_ == &control) observer_->FocusMoved(control);
}

void Form::FocusedByUser(Control* control) {
    if (control == focused_) return;
    Control* old = focused_;
    focused_ = control;
    if (old && old->LostFocus) old->LostFocus();
    if (control && control->GotFocus) control->GotFocus();
}

Control* Form::TryFind(const std::string& name, int index) const {
    for (const auto& control : controls_) {
        if (control->name() == name && control->index() == index) return control.get();
    }
    return nullptr;
}

Control& Form::Find(const std::string& name, int index) const {
    if (Control* control = TryFind(name, index)) return *control;
    throw std::out_of_range("no control " + name + "(" + std::to_string(index) + ")");
}

std::vector<Control*> Form::TabOrder() const {
    std::vector<Control*> order;
    for (const auto& control : controls_) {
        switch (control->kind()) {
            case ControlKind::Label:
            case ControlKind::Frame:
            case ControlKind::Timer:
            case ControlKind::Image: continue;
            default:
                if (control->layout().TabIndex >= 0) order.push_back(control.get());
        }
    }
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return a->layout().TabIndex < b->layout().TabIndex;
    });
    return order;
}

}  // namespace pwstd::forms
