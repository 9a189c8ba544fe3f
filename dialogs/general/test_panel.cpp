// The joystick test panel: every tick of Timer1 reads the pad afresh and shows what it reports.
#include "dialogs/general/test_panel.h"

#include "dialogs/general/prop.h"
#include "engine/bindings/controls.h"
#include "engine/settings.h"

namespace pwstd {

std::string JoystickTestText(int32_t x, int32_t y, uint32_t mask, int32_t buttons, uint32_t axes) {
    static constexpr const char* kAxisTexts[kAxisControls] = {" Z-", " Z+", " R-", " R+",
                                                              " U-", " U+", " V-", " V+"};
    std::string text;
    if (x == -1) text = "左";
    if (x == 1) text = "右";
    if (y == -1) text += " 上";
    if (y == 1) text += " 下";
    for (int32_t i = 1; i <= buttons; ++i) {
        if (ButtonBit(i, mask) == 1) text += " " + DecimalText(i);
    }
    for (int a = 0; a < kAxisControls; ++a) {
        if ((axes >> a & 1u) != 0) text += kAxisTexts[a];
    }
    return text;
}

// The button count is the slider's, not the one in force, so the user sees its effect before OK;
// the sensitivity enters through the readers, which use Kando as the slider last set it.
// Without the axes, the directions and the buttons each come from a reading of their own; with
// them, one reading of everything serves the whole tick. A failed reading reports nothing.
void Prop::Timer1_Timer() {
    const bool hat = options_.pov_stick;
    const int32_t buttons = Find("HScroll1").Value();
    std::string text;
    if (options_.all_axes) {
        const PadReading pad = pads_.Read(0);
        if (pad.code == 0) {
            const HatDirection d = StickDirections(pad.state, state_.Kando, hat);
            text = JoystickTestText(d.x, d.y, pad.state.buttons, buttons, AxisEnds(pad.state, state_.Kando));
        }
    } else {
        PadReading pad = pads_.Read(0);
        const int32_t x = pad.code == 0 ? StickDirections(pad.state, state_.Kando, hat).x : 0;
        pad = pads_.Read(0);
        const int32_t y = pad.code == 0 ? StickDirections(pad.state, state_.Kando, hat).y : 0;
        pad = pads_.Read(0);
        const uint32_t mask = pad.code == 0 ? pad.state.buttons : 0;
        text = JoystickTestText(x, y, mask, buttons);
    }
    if (text != LastTestText) Find("Text1").SetCaption(text);
    LastTestText = text;
}

}  // namespace pwstd
