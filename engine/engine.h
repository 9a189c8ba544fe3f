#pragma once
// The pipeline the options choose: the pads read, what each control holds down, and the poll cycle
// that joins them to the binding table in force. Built once the options are read, before the timer
// starts; the table in force lives outside it.
#include "engine/bindings/binding_table.h"
#include "engine/input/pads.h"
#include "engine/options.h"
#include "engine/output/held_outputs.h"
#include "engine/output/mouse_outputs.h"
#include "engine/poll_cycle.h"

namespace pwstd {

struct Engine {
    // `xinput` null where XInput is not used.
    Engine(SharedState& state, const Options& options, LiveBindings& bindings, PadBackend& joystick,
           PadBackend* xinput, OutputSink& output, Clock& clock, RateSignal& rate)
        : pads(joystick, xinput, clock, options.Input()),
          held(output, options.scan_codes, options.combos),
          mouse(output, options.mouse_speed, options.mouse_dead_zone, options.mouse_curve, options.wheel_rate),
          poll(state, pads, bindings, held, clock, rate, PollOptions{options.pov_stick, options.all_axes}) {
        if (options.mouse) poll.SetMouse(mouse);
    }

    Pads pads;
    HeldOutputs held;
    MouseOutputs mouse;
    PollCycle poll;
};

}  // namespace pwstd
