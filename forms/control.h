#pragma once
// A small retained model of the standard controls the program's windows use, with the event rules
// the windows are written against:
//  - setting a value from code raises the same change event as a user change when the value
//    differs, and nothing when it is equal;
//  - a scroll bar tells a thumb drag (Scroll) from a committed change (Change);
//  - elements of a control array share one handler that is told the element's index.
// A renderer (platform/win32/) shows the model with native controls: it forwards native input in
// through the user_* calls and follows every property change through the form's observer.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pwstd::forms {

class Form;
class MenuItem;

// Position and size in twips (1/1440 inch): left, top, width, height. A control inside a frame is
// placed relative to the frame.
struct Rect {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
};

enum class ControlKind { Label, Frame, HScrollBar, CheckBox, OptionButton, TextBox, CommandButton, Timer, Image, ListBox };

// Colours as 0x00BBGGRR; values with the top bit set name a system colour by its index, as
// 0x80000005 names the window background (COLOR_WINDOW).
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (uint32_t{b} << 16); }
constexpr uint32_t kSystemColorFlag = 0x80000000u;
constexpr uint32_t kColorWindow = kSystemColorFlag | 5;
constexpr uint32_t kColorButtonFace = kSystemColorFlag | 15;

struct Font {
    std::string Name;  // empty: the form's font
    int32_t Size = 0;  // points; 0: the form's size
    bool Bold = false;
};

// Which property of a control changed, for the renderer.
enum class Property { Caption, Text, Value, Range, Enabled, BackColor, Interval, List };

// Shift state of a key event: 1 Shift, 2 Ctrl, 4 Alt.
constexpr int16_t kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// Scroll bar input as the native bar reports it.
enum class ScrollAction { LineLeft, LineRight, PageLeft, PageRight, ThumbTrack, ThumbPosition, Leftmost, Rightmost, EndScroll };

// Everything needed to create one control; forms declare their controls as tables of these.
struct ControlSpec {
    ControlKind Kind = ControlKind::Label;
    std::string Name;
    int Index = -1;          // element of a control array, or -1
    std::string Container;   // name of the frame it sits in, or empty for the form
    Rect Place;
    std::string Caption;     // label, frame, button, check box, option button; a text box's text
    int32_t Min = 0, Max = 0, SmallChange = 1, LargeChange = 1;
    int32_t Value = 0;       // scroll position, check state 0/1, option 0/1; a list box starts
                             // empty with nothing selected (-1)
    int TabIndex = -1;       // focus order; -1 takes no focus
    Font TextFont;
    uint32_t BackColor = 0;  // 0: the kind's usual colour
    bool Default = false;    // Enter presses it
    bool Cancel = false;     // Esc presses it
    bool Locked = false;     // a text box that shows only what the program puts in it
    bool Enabled = true;
    int32_t MaxLength = 0;   // text box; 0 = no limit
    int32_t Interval = 0;    // timer, ms
    int32_t Picture = 0;     // image: resource number of the icon shown
};

class Control {
public:
    Control(Form& form, const ControlSpec& desc, Control* container);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    const ControlSpec& layout() const { return spec_; }
    ControlKind kind() const { return spec_.Kind; }
    const std::string& name() const { return spec_.Name; }
    int index() const { return spec_.Index; }
    Control* container() const { return container_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);  // also a text box's text
    int32_t Value() const { return value_; }
    void SetValue(int32_t value);                 // raises Change / Click when it differs
    int32_t Min() const { return min_; }
    int32_t Max() const { return max_; }
    void SetMax(int32_t max);                     // a value beyond it follows, raising Change
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    uint32_t BackColor() const { return back_color_; }
    void SetBackColor(uint32_t color);
    int32_t Interval() const { return interval_; }

    // A list box's lines, and its selected line as its Value (ListIndex): 0.., or -1 for none.
    // Setting a value outside the lines selects none; a changed selection raises Click.
    const std::vector<std::string>& List() const { return list_; }
    void AddItem(const std::string& item);
    void Clear();  // no lines and no selection, without Click

    // Handlers; a form binds them when it loads.
    std::function<void()> Change;       // scroll bar value committed
    std::function<void()> Scroll;       // scroll bar thumb dragged
    std::function<void()> Click;        // button pressed, check box or option button value changed
    std::function<void(int16_t KeyCode, int16_t Shift)> KeyDown;
    std::function<void()> GotFocus, LostFocus;
    std::function<void()> Timer;        // timer tick
    std::function<void()> MouseDown;
    // Shown as a popup menu at the mouse when the user right-clicks the control (a text box), in
    // place of the system's own; its chosen item's handler runs. Null: no menu.
    MenuItem* ContextMenu = nullptr;

    // Input from the user (the renderer, or a test acting as the user).
    void UserScroll(ScrollAction action, int32_t position = 0);
    void UserClick();   // button press; check box toggles; option button selects
    void UserKeyDown(int16_t key_code, int16_t shift);
    void UserMouseDown();
    void UserSelect(int32_t index);  // the user selected a line of a list box
    void Tick();        // the timer's interval elapsed

private:
    void Commit(int32_t value);
    void Changed(Property property);

    Form& form_;
    ControlSpec spec_;
    Control* container_;
    std::string caption_;
    int32_t value_;
    int32_t committed_;  // scroll value as of the last Change: a drag commits only a real move
    int32_t min_, max_;
    bool enabled_;
    uint32_t back_color_;
    int32_t interval_;
    std::vector<std::string> list_;
};

}  // namespace pwstd::forms
