#include "engine/output/held_outputs.h"

namespace pwstd {

HeldOutputs::Stroke HeldOutputs::Shape(OutputSink& sink, uint8_t vk) {
    const KeyEventShape shape = KeyEventFor(vk, false, true, sink.scan_code(vk));
    return MakeStroke(vk, shape.scan, shape.flags);
}

HeldOutputs::Stroke HeldOutputs::Batch::KeyDown(uint8_t vk, bool always) {
    HeldOutputs& h = held_;
    if (h.shared_ && !always && h.holders_[vk]++ != 0) return h.shared_strokes_[vk];
    Begin();
    const Stroke stroke = h.scan_codes_ ? Shape(h.sink_, vk) : MakeStroke(vk, 0, 0);
    h.sink_.key(vk, static_cast<uint8_t>(stroke >> 8), stroke >> 16);
    if (h.shared_) h.shared_strokes_[vk] = stroke;
    return stroke;
}

void HeldOutputs::Batch::KeyUp(Stroke stroke, bool always) {
    HeldOutputs& h = held_;
    const auto vk = static_cast<uint8_t>(stroke);
    if (h.shared_ && !always) {
        // Up with the last of its holders, exactly as it went down with the first.
        if (h.holders_[vk] == 0 || --h.holders_[vk] != 0) return;
        stroke = h.shared_strokes_[vk];
    }
    Begin();
    h.sink_.key(vk, static_cast<uint8_t>(stroke >> 8), stroke >> 16 | kKeyEventKeyUp);
}

void HeldOutputs::Batch::Press(int slot, const Action& action) {
    Held& held = held_.held_[slot];
    if (held.parts != 0) {
        // A repeat: the control's own key again, sent whoever else holds it.
        const int last = held.parts - 1;
        held.strokes[last] = KeyDown(static_cast<uint8_t>(held.strokes[last]), true);
        held.key_up = false;
        return;
    }
    if (action.kind != ActionKind::Key || action.key == 0) return;
    held.action = action;
    for (int i = 0; i < kMaxWith && action.With(i) != 0; ++i) held.strokes[held.parts++] = KeyDown(action.With(i), false);
    held.strokes[held.parts++] = KeyDown(action.key, false);
}

void HeldOutputs::Batch::ReleaseLast(int slot) {
    Held& held = held_.held_[slot];
    if (held.parts == 0 || held.key_up) return;
    KeyUp(held.strokes[held.parts - 1], true);
    held.key_up = true;
}

void HeldOutputs::Batch::Release(int slot) {
    Held& held = held_.held_[slot];
    for (int i = held.parts - 1; i >= 0; --i) {
        if (i == held.parts - 1 && held.key_up) {
            // Already up for the system; its holder count goes all the same.
            if (held_.shared_) {
                uint8_t& holders = held_.holders_[static_cast<uint8_t>(held.strokes[i])];
                if (holders != 0) --holders;
            }
            continue;
        }
        KeyUp(held.strokes[i], false);
    }
    held = Held{};
}

}  // namespace pwstd
