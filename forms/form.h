#pragma once
// A window of the program as data plus handlers. A form declares its controls as a table
// (Declare), binds its handlers to them (Connect) and reacts in its Form_* handlers. Loading builds
// the controls afresh from the table, so every opening starts from the laid-out state.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"

namespace pwstd::forms {

struct WindowShape;  // forms/shape.h: a window outline other than a rectangle, and its drawing

enum class BorderStyle { None, FixedDialog };

// What a renderer learns about a loaded form.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void ControlChanged(Control& control, Property property) = 0;
    virtual void FocusMoved(Control& control) = 0;  // the program moved the focus
    virtual void Unloaded() = 0;                    // the window is to close now
};

// Reasons a form closes, as told to Form_QueryUnload.
constexpr int16_t kFromControlMenu = 0;  // the close box or the window's control menu
constexpr int16_t kFromCode = 1;

// The window as a whole.
struct FormSpec {
    std::string Caption;
    int32_t ClientWidth = 0, ClientHeight = 0;  // twips
    BorderStyle Border = BorderStyle::FixedDialog;
    bool ShowIcon = true;  // the program's icon in the title bar
    Font TextFont;         // the form's default font; empty name: the system's
};

class Form {
public:
    Form() = default;
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    virtual const FormSpec& Layout() const = 0;
    // A window that is not a rectangle describes its outline here; nullptr for ordinary windows.
    virtual const WindowShape* Shape() const { return nullptr; }

    // Creates the controls from the declaration, binds the handlers, runs Form_Load and gives the
    // focus to the first control in the focus order.
    void Load();
    // Closes the window from code (OK, Cancel, ...): Form_QueryUnload (told kFromCode) and
    // Form_Unload run; the controls stay readable until the next Load.
    void Unload();
    // The user asked to close the window (close box): Form_QueryUnload may refuse.
    void UserClose();
    bool Loaded() const { return loaded_; }

    // Enter and Esc as a dialog handles them: Enter presses the focused button, else the default
    // button; Esc presses the cancel button. Either does nothing when there is no such button.
    void PressEnter();
    void PressEscape();
    // The user pressed a mouse button on the form's own surface.
    void UserMouseDown(int16_t button, int16_t shift, float x, float y);

    Control* Focused() const { return focused_; }
    void SetFocus(Control& control);   // from code: the renderer follows
    void FocusedByUser(Control* control);  // from the renderer: the native focus moved

    Control& Find(const std::string& name, int index = -1) const;
    Control* TryFind(const std::string& name, int index = -1) const;
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    // Controls that take the focus, in focus order.
    std::vector<Control*> TabOrder() const;

    void SetObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* Observer() const { return observer_; }

protected:
    virtual std::vector<ControlSpec> Declare() const = 0;
    virtual void Connect() = 0;
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) { (void)Cancel, (void)UnloadMode; }
    virtual void Form_Unload(int16_t& Cancel) { (void)Cancel; }
    virtual void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }

private:
    void Close(int16_t mode);

    std::vector<std::unique_ptr<Control>> controls_;
    Control* focused_ = nullptr;
    FormObserver* observer_ = nullptr;
    bool loaded_ = false;
};

}  // namespace pwstd::forms
