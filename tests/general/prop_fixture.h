#pragma once
// The general settings dialog opened against recording fakes: a profile that logs every write, one
// log of the timer and sleep calls (their order matters), and a scripted joystick behind a real
// PadReader.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialogs/general/prop.h"
#include "engine/bindings/binding_table.h"
#include "engine/input/pads.h"
#include "engine/options.h"
#include "engine/ports.h"
#include "engine/shared_state.h"
#include "tests/support/fakes.h"

namespace pwstd::testing {

using Writes = std::vector<std::pair<std::string, std::string>>;  // key, value

class RecordingProfile final : public Profile {
public:
    std::string get(const std::string&, const std::string&, const std::string& def,
                    const std::string&) override {
        return def;
    }
    int32_t put(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file) override {
        EXPECT_EQ(section, "Padwright Standard");
        EXPECT_EQ(file, "C:\\PwStd\\PwStd.ini");
        writes.emplace_back(key, value);
        return 1;
    }
    int32_t remove(const std::string&, const std::string& key, const std::string&) override {
        writes.emplace_back(key, "(removed)");
        return 1;
    }
    Writes writes;
};

// Counts what the renderer would be told.
class CountingObserver final : public forms::FormObserver {
public:
    void ControlChanged(forms::Control& control, forms::Property property) override {
        if (control.name() == "Text1" && property == forms::Property::Text) ++text_writes;
    }
    void FocusMoved(forms::Control&) override {}
    void Unloaded() override { ++unloads; }
    int text_writes = 0;
    int unloads = 0;
};

class PropTest : public ::testing::Test {
protected:
    PropTest() {
        state.IniPath = "C:\\PwStd\\PwStd.ini";
        state.Wait = 25;
        state.Buttons = 4;
        state.Kando = 16384;
        state.Repeat = 1;
        state.Keyup = 1;
        state.StartTemp = 0;
        state.TimerId = 7;
        timer.log = &calls;
        timer.next_id = 9;
        sleeper.log = &calls;
        CheckTemplate(0);
        prop.SetObserver(&observer);
    }

    // Puts slot n in force as the program in front would, without a choice by hand.
    void CheckTemplate(int n) { templates.Switch(static_cast<int16_t>(n), false); }
    forms::Control& C(const std::string& name, int index = -1) { return prop.Find(name, index); }
    // A drag of the thumb to `position`, then its release there.
    void Drag(const std::string& name, int32_t position) {
        C(name).UserScroll(forms::ScrollAction::ThumbTrack, position);
        C(name).UserScroll(forms::ScrollAction::ThumbPosition, position);
    }

    SharedState state;
    RecordingProfile profile;
    CallLog calls;
    RecordingPollTimer timer;
    RecordingSleeper sleeper;
    FakePadSource pad;
    FakeClock clock;
    Options options;
    Pads pads{pad, nullptr, clock, options.Input()};
    LiveBindings bindings;
    TemplateSwitcher templates{state, options, profile, bindings};
    CountingObserver observer;
    Prop prop{state, options, profile, timer, sleeper, pads, templates};
};

}  // namespace pwstd::testing
