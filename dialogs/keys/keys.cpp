// The key settings dialog's handlers: opening from the custom key map in the file, the four-row
// window, key capture, the key-number checker, focus colouring, Defaults, OK and Cancel.
#include "dialogs/keys/keys.h"

#include <algorithm>
#include <utility>

#include "engine/bindings/key_map_file.h"
#include "engine/bindings/mouse_stick.h"

namespace pwstd {

namespace {
constexpr int kRows = 4;
// The arrow keys.
constexpr std::pair<int, int32_t> kDefaultDirKeys[] = {
    {kControlUp, 38}, {kControlDown, 40}, {kControlLeft, 37}, {kControlRight, 39}};
// The window opens on buttons 1..4 when four or more are in use.
constexpr int32_t kFirstButtonsShown = 4;
constexpr uint32_t kFocusColor = forms::Rgb(255, 255, 0);
constexpr int kCustomSlot = 0;
// The modifiers a combination records, in its order, with the shift-state bit that tells each.
constexpr int16_t kVkShift = 16, kVkControl = 17, kVkMenu = 18;
constexpr std::pair<int16_t, uint8_t> kModifiers[] = {
    {forms::kCtrlMask, kVkControl}, {forms::kShiftMask, kVkShift}, {forms::kAltMask, kVkMenu}};
}  // namespace

KeyS::KeyS(SharedState& state, const Options& options, Profile& profile, forms::MenuItem& menu,
           TemplateSwitcher& templates)
    : state_(state), options_(options), menu_(menu), templates_(templates), settings_(profile, state.IniPath) {}

void KeyS::Connect() {
    Find("HScroll1").Change = [this] { HScroll1_Change(); };
    Find("HScroll1").Scroll = [this] { HScroll1_Scroll(); };
    for (int16_t i = 0; i < kRows; ++i) {
        forms::Control& box = Find("Text1", i);
        box.KeyDown = [this, i](int16_t KeyCode, int16_t Shift) {
            Text1_KeyDown(i, KeyCode, Shift);
        };
        box.GotFocus = [this, i] { Text1_GotFocus(i); };
        box.LostFocus = [this, i] { Text1_LostFocus(i); };
    }
    Find("Text2").KeyDown = [this](int16_t KeyCode, int16_t Shift) {
        Text2_KeyDown(KeyCode, Shift);
    };
    Find("Text2").GotFocus = [this] { Text2_GotFocus(); };
    Find("Text2").LostFocus = [this] { Text2_LostFocus(); };
    if (options_.mouse) {
        for (int16_t i = 0; i < kRows; ++i) {
            auto& menu = mouse_menus_[static_cast<size_t>(i)];
            menu = std::make_unique<forms::MenuItem>("mnuMouse", "", i);
            for (const MouseChoice& choice : kMouseChoices) {
                menu->Add("mnuMouseAction", choice.name, choice.code).Click = [this, i, code = choice.code] {
                    Text1_MouseAction(i, code);
                };
            }
            Find("Text1", i).ContextMenu = menu.get();
        }
        for (int16_t i = 0; i < kMouseSticks; ++i) Find("Option1", i).Click = [this, i] { Option1_Click(i); };
    }
    Find("Command1").Click = [this] { Command1_Click(); };
    for (int16_t i = 0; i < 2; ++i) {
        Find("Command2", i).Click = [this, i] { Command2_Click(i); };
        Find("Command3", i).Click = [this, i] { Command3_Click(i); };
    }
    Find("HScroll2").Scroll = [this] { HScroll2_Scroll(); };
    Find("HScroll2").Change = [this] { HScroll2_Change(); };
}

// The editor starts from the custom key map stored in the file, not from the key map in force:
// while a template is in force the dialog still shows (and OK stores) the custom codes.
void KeyS::Form_Load() {
    ReadSlot(kCustomSlot);
    HScroll1_Change();
    Find("Text3").SetCaption(state_.TemplateNames[1]);
    const int32_t buttons = ButtonsInUse();
    forms::Control& window = Find("HScroll1");
    window.SetMax(buttons + (AxesInUse() ? kAxisControls : 0));
    window.SetValue(std::min(buttons, kFirstButtonsShown));
}

void KeyS::HScroll1_Change() {
    const int32_t p = Find("HScroll1").Value();
    for (int r = 0; r < kRows; ++r) {
        const int control = RowControl(p + r);
        Find("Label1", r).SetCaption(RowCaption(control));
        Find("Text1", r).SetCaption(KeyBoxText(control, EditKeys[control], EditWith[control], options_.mouse));
    }
}

void KeyS::HScroll1_Scroll() { HScroll1_Change(); }

// Whatever reaches the box is the key: Enter, Esc, Shift or Ctrl alone included, with no filter and
// no range check. With combinations on, a key pressed while Ctrl, Shift or Alt is held (and not
// itself one of them) is recorded with them, in the order Ctrl, Shift, Alt; otherwise the shift
// state is not part of the code.
void KeyS::Text1_KeyDown(int16_t Index, int16_t KeyCode, int16_t Shift) {
    const int control = RowControl(Find("HScroll1").Value() + Index);
    uint32_t with = 0;
    if (options_.combos && KeyCode != kVkShift && KeyCode != kVkControl && KeyCode != kVkMenu) {
        int parts = 0;
        for (const auto& [mask, code] : kModifiers) {
            if ((Shift & mask) != 0) with |= uint32_t{code} << (8 * parts++);
        }
    }
    EditKeys[control] = KeyCode;
    EditWith[control] = with;
    Find("Text1", Index).SetCaption(KeyBoxText(control, KeyCode, with, options_.mouse));
}

// A mouse action chosen from a key box's menu goes into the working copy like a pressed key.
void KeyS::Text1_MouseAction(int16_t Index, int32_t code) {
    const int control = RowControl(Find("HScroll1").Value() + Index);
    EditKeys[control] = code;
    EditWith[control] = 0;
    Find("Text1", Index).SetCaption(KeyBoxText(control, code, 0, true));
}

void KeyS::Option1_Click(int16_t Index) {
    if (Find("Option1", Index).Value() != 0) EditStick = Index;
}

void KeyS::Text1_GotFocus(int16_t Index) { Find("Text1", Index).SetBackColor(kFocusColor); }

void KeyS::Text1_LostFocus(int16_t Index) {
    Find("Text1", Index).SetBackColor(forms::kColorWindow);
}

void KeyS::Text2_KeyDown(int16_t KeyCode, int16_t Shift) {
    (void)Shift;
    Find("Text2").SetCaption(FullWidthNumber(KeyCode));
}

void KeyS::Text2_GotFocus() { Find("Text2").SetBackColor(kFocusColor); }

void KeyS::Text2_LostFocus() { Find("Text2").SetBackColor(forms::kColorWindow); }

// Only the directions go back to the arrow keys; the buttons keep their codes and nothing is
// written until OK. The axis rows are emptied: key capture takes every key, so this is the one way
// to make an axis control send nothing again.
void KeyS::Command1_Click() {
    for (const auto& [control, code] : kDefaultDirKeys) {
        EditKeys[control] = code;
        EditWith[control] = 0;
    }
    if (AxesInUse()) {
        for (int a = 0; a < kAxisControls; ++a) EditKeys[AxisControl(a)] = EditWith[AxisControl(a)] = 0;
    }
    HScroll1_Change();
}

// OK stores the working copy as the custom key map. Cancel, like the close box, just closes.
void KeyS::Command2_Click(int16_t Index) {
    if (Index == 0) WriteSlot(kCustomSlot);
    Unload();
}

// The directions, the buttons in use and (with the axes) the axis controls, each with its default
// and clamped to 1..255; the other controls keep what they hold.
void KeyS::ReadSlot(int slot) {
    for (int control : Rows()) {
        const Action action = ReadAction(settings_, slot, control, options_.combos);
        EditKeys[control] = action.key;
        EditWith[control] = action.with;
    }
    if (options_.mouse) {
        EditStick = ReadMouseStick(settings_, slot);
        Find("Option1", static_cast<int16_t>(EditStick)).SetValue(1);
    }
}

// The codes are put in force whole, then written; keys of buttons beyond those in use stay in the
// file and in force as they were. The results of the writes are not examined: a file that cannot
// be written still leaves the new codes in force for the rest of the run.
// With combinations on, each entry also writes its "Keys" key, or removes one that no longer
// applies; with them off the "Keys" keys are not touched.
void KeyS::WriteSlot(int slot) {
    const std::vector<int> rows = Rows();
    std::array<Action, kControlCount> actions{};
    for (int control : rows) {
        actions[control] = Action::Key(EditKeys[control]);
        if (actions[control].kind == ActionKind::Key) actions[control].with = EditWith[control];
    }
    templates_.PutInForce(slot, rows, actions, options_.mouse ? EditStick : -1);
    for (int control : rows) {
        if (options_.combos) {
            WriteAction(settings_, slot, control, actions[control]);
        } else {
            WriteKeyCode(settings_, slot, control, EditKeys[control]);
        }
    }
    if (options_.mouse) WriteMouseStick(settings_, slot, EditStick);
}

// The count is kept within 1..30 by every writer; holding to it here as well keeps every index of
// the working copy and the key map in bounds.
int32_t KeyS::ButtonsInUse() const { return std::clamp(state_.Buttons.get(), 1, kMaxButtons); }

bool KeyS::AxesInUse() const { return options_.all_axes; }

std::vector<int> KeyS::Rows() const { return SlotControls(ButtonsInUse(), AxesInUse()); }

int KeyS::RowControl(int32_t row) const {
    const std::vector<int> rows = Rows();
    return rows[static_cast<size_t>(std::clamp<int32_t>(row, 0, static_cast<int32_t>(rows.size()) - 1))];
}

}  // namespace pwstd
