#include "engine/output/held_outputs.h"

#include "engine/output/key_event.h"

namespace pwstd {

void HeldOutputs::Begin() {
    if (!begun_) {
        sink_.begin_keys();
        begun_ = true;
    }
}

void HeldOutputs::Press(int slot, uint8_t vk) {
    Begin();
    const KeyEventShape shape = KeyEventFor(vk, false, scan_codes_, scan_codes_ ? sink_.scan_code(vk) : 0);
    sink_.key(vk, shape.scan, shape.flags);
    down_[slot] = {vk, shape.scan, shape.flags};
}

void HeldOutputs::Release(int slot) {
    const Stroke stroke = down_[slot];
    if (stroke.vk == 0) return;
    Begin();
    sink_.key(stroke.vk, stroke.scan, stroke.flags | kKeyEventKeyUp);
    down_[slot] = {};
}

void HeldOutputs::ReleaseAll() {
    for (int slot = 0; slot < kSlots; ++slot) Release(slot);
}

}  // namespace pwstd
