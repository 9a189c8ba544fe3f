// The joystick test panel: every tick of Timer1 reads the pad afresh and shows what it reports.
#include "dialogs/general/test_panel.h"

#include "dialogs/general/prop.h"
#include "engine/pad_reader.h"
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
// With the axes on, one reading of everything serves the whole tick.
void Prop::Timer1_Timer() {
    std::string text;
    if (state_.AllAxes == 1) {
        const PadSnapshot pad = reader_.ReadPad(0);
        text = JoystickTestText(pad.DirX, pad.DirY, pad.ButtonMask, Find("HScroll1").Value(),
                                pad.AxisMask);
    } else {
        const int32_t x = reader_.ReadPadX(0);
        const int32_t y = reader_.ReadPadY(0);
        const uint32_t mask = reader_.ReadPadButtons(0);
        text = JoystickTestText(x, y, mask, Find("HScroll1").Value());
    }
    if (text != LastTestText) Find("Text1").SetCaption(text);
    LastTestText = text;
}

}  // namespace pwstd
