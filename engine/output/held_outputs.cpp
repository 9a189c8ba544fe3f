#include "engine/output/held_outputs.h"

namespace pwstd {

HeldOutputs::Stroke HeldOutputs::Shape(OutputSink& sink, uint8_t vk) {
    const KeyEventShape shape = KeyEventFor(vk, false, true, sink.scan_code(vk));
    return MakeStroke(vk, shape.scan, shape.flags);
}

}  // namespace pwstd
