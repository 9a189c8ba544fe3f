#include "platform/win32/renderer/win_form_window.h"

#include <algorithm>

#include "platform/win32/renderer/win_controls.h"
#include "platform/win32/win_text.h"
#include "platform/win32/renderer/win_window_shape.h"

namespace pwstd {
namespace {

using forms::ControlKind;

constexpr wchar_t kWindowClass[] = L"PwStdForm";

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kWindowClass, &existing)) return;
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClass;
    RegisterClassExW(&window_class);
}

struct FrameStyle {
    DWORD Style;
    DWORD ExStyle;
};

FrameStyle StyleFor(const forms::FormSpec& desc) {
    if (desc.Border == forms::BorderStyle::None) return {WS_POPUP | WS_CLIPSIBLINGS, 0};
    // A fixed dialog border: caption and close box, no sizing, no minimise or maximise box. A
    // dialog frame without an icon is the system's way of showing none.
    return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS, desc.ShowIcon ? 0u : DWORD{WS_EX_DLGMODALFRAME}};
}

}  // namespace

FormWindow::FormWindow(forms::Form& form, HINSTANCE instance, int icon_resource, DpiSource dpi_source)
    : form_(form),
      instance_(instance),
      icon_resource_(icon_resource),
      dpi_source_(dpi_source),
      dpi_(ScreenDpi::Query()) {
    CreateWindowFor();
    if (window_ == nullptr) return;
    fonts_ = std::make_unique<FontSet>(form.Layout().TextFont, dpi_);
    CreateControls();
    ShowIcons();
}

FormWindow::~FormWindow() {
    if (form_.Observer() == this) form_.SetObserver(nullptr);
    // Nothing reaches the model from here on, not even the focus moves of the destruction.
    closed_ = true;
    for (const Native& native : natives_) {
        if (native.Control->kind() == ControlKind::Timer) KillTimer(window_, native.Id);
    }
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ReleaseWindowShape(window_);
        DestroyWindow(window_);
    }
    for (auto& [color, brush] : brushes_) DeleteObject(brush);
    for (HICON icon : icons_) DestroyIcon(icon);
}

void FormWindow::CreateWindowFor() {
    RegisterFormClass(instance_, &FormWindow::WindowProc);
    const forms::FormSpec& desc = form_.Layout();
    const FrameStyle frame = StyleFor(desc);
    // Placed first as laid out at the session's scale: the display it is then on decides its own
    // resolution, which may be another today (a laptop docked, a scale changed without signing out).
    RECT outer{0, 0, dpi_.TwipsToPixelsX(desc.ClientWidth), dpi_.TwipsToPixelsY(desc.ClientHeight)};
    AdjustWindowRectEx(&outer, frame.Style, FALSE, frame.ExStyle);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto centred = [&work](int width, int height) {
        return POINT{work.left + (work.right - work.left - width) / 2,
                     work.top + (work.bottom - work.top - height) / 2};
    };
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const POINT first = centred(width, height);
    window_ = CreateWindowExW(frame.ExStyle, kWindowClass, Utf8ToWide(desc.Caption).c_str(), frame.Style, first.x,
                              first.y, width, height, nullptr, nullptr, instance_, this);
    if (window_ == nullptr) return;
    dpi_ = dpi_source_(window_);
    FitToLayout();
    RECT placed{};
    GetWindowRect(window_, &placed);
    const POINT at = centred(placed.right - placed.left, placed.bottom - placed.top);
    if (at.x != placed.left || at.y != placed.top) {
        SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyShape();
}

RECT FormWindow::PlaceInClient(const forms::Control& control) const {
    forms::Rect place = control.layout().Place;
    for (const forms::Control* frame = control.container(); frame != nullptr; frame = frame->container()) {
        place.Left += frame->layout().Place.Left;
        place.Top += frame->layout().Place.Top;
    }
    return dpi_.TwipsToPixels(place);
}

void FormWindow::CreateControls() {
    const auto& controls = form_.Controls();
    for (size_t position = 0; position < controls.size(); ++position) {
        natives_.push_back({controls[position].get(), nullptr, kFirstControlId + static_cast<int>(position)});
        by_control_[controls[position].get()] = position;
    }
    // The focus order is the windows' z-order: the dialog keys walk it. Controls that take no focus
    // come after every one that does.
    const std::vector<forms::Control*> focusable = form_.TabOrder();
    std::vector<forms::Control*> order = focusable;
    for (const auto& control : controls) {
        if (std::find(focusable.begin(), focusable.end(), control.get()) == focusable.end()) {
            order.push_back(control.get());
        }
    }
    HWND previous = nullptr;
    const forms::Control* previous_control = nullptr;
    for (forms::Control* control : order) {
        const size_t position = by_control_[control];
        Native& native = natives_[position];
        if (control->kind() == ControlKind::Timer) continue;

        // Each run of option buttons in one container is a group of its own.
        const bool continues_group = control->kind() == ControlKind::OptionButton && previous_control != nullptr &&
                                     previous_control->kind() == ControlKind::OptionButton &&
                                     previous_control->container() == control->container();
        const bool tab_stop = std::find(focusable.begin(), focusable.end(), control) != focusable.end();
        native.Window = CreateNativeControl(*control, {.Parent = window_, .Pixels = PlaceInClient(*control),
                                                       .Id = native.Id, .StartsGroup = !continues_group,
                                                       .TabStop = tab_stop, .Instance = instance_});
        if (native.Window == nullptr) continue;
        if (previous != nullptr) {
            SetWindowPos(native.Window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        SendMessageW(native.Window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->For(control->layout().TextFont)),
                     FALSE);
        AttachControlInput(native.Window, *control, *this);
        by_window_[native.Window] = position;
        previous = native.Window;
        previous_control = control;
    }
    RefreshOptionTabStops();
}

// Tab reaches an option group at its selected button; a group with none selected at every button.
void FormWindow::RefreshOptionTabStops() {
    for (const Native& native : natives_) {
        const forms::Control* option = native.Control;
        if (native.Window == nullptr || option->kind() != ControlKind::OptionButton || option->layout().TabIndex < 0) {
            continue;
        }
        const bool any_selected = std::any_of(natives_.begin(), natives_.end(), [option](const Native& other) {
            return other.Control->kind() == ControlKind::OptionButton &&
                   other.Control->container() == option->container() && other.Control->Value() != 0;
        });
        const LONG_PTR style = GetWindowLongPtrW(native.Window, GWL_STYLE);
        const bool stop = option->Value() != 0 || !any_selected;
        SetWindowLongPtrW(native.Window, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~LONG_PTR{WS_TABSTOP});
    }
}

HWND FormWindow::NativeOf(const forms::Control& control) const {
    auto found = by_control_.find(&control);
    return found == by_control_.end() ? nullptr : natives_[found->second].Window;
}

FormWindow::Native* FormWindow::Find(HWND child) {
    auto found = by_window_.find(child);
    return found == by_window_.end() ? nullptr : &natives_[found->second];
}

FormWindow::Native* FormWindow::Find(const forms::Control& control) {
    auto found = by_control_.find(&control);
    return found == by_control_.end() ? nullptr : &natives_[found->second];
}

void FormWindow::Show() {
    if (window_ == nullptr) {
        closed_ = true;
        return;
    }
    form_.SetObserver(this);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    UpdateWindow(window_);
    for (const Native& native : natives_) {
        if (native.Control->kind() == ControlKind::Timer) StartTimer(native);
    }
    FocusModelControl();
}

void FormWindow::StartTimer(const Native& native) {
    if (native.Control->Interval() > 0) {
        SetTimer(window_, native.Id, static_cast<UINT>(native.Control->Interval()), nullptr);
    } else {
        KillTimer(window_, native.Id);
    }
}

void FormWindow::FocusModelControl() {
    if (forms::Control* focused = form_.Focused()) {
        if (HWND native = NativeOf(*focused)) SetFocus(native);
    }
}

bool FormWindow::PreTranslate(MSG& message) {
    return window_ != nullptr && !closed_ && IsDialogMessageW(window_, &message);
}

void FormWindow::ControlChanged(forms::Control& control, forms::Property property) {
    Native* native = Find(control);
    if (native == nullptr) return;
    if (control.kind() == ControlKind::Timer) {
        if (property == forms::Property::Interval) StartTimer(*native);
        return;
    }
    if (native->Window == nullptr) return;
    if (property == forms::Property::Text && Utf8ToWide(control.Caption()) == WindowText(native->Window)) {
        return;  // the user's own typing, echoed back: leave the caret where it is
    }
    ApplyProperty(native->Window, control, property);
    if (control.kind() == ControlKind::OptionButton && property == forms::Property::Value) RefreshOptionTabStops();
}

void FormWindow::FocusMoved(forms::Control& control) {
    if (HWND native = NativeOf(control)) SetFocus(native);
}

void FormWindow::Unloaded() {
    closed_ = true;
    if (window_ != nullptr) {
        ShowWindow(window_, SW_HIDE);
        PostMessageW(window_, WM_NULL, 0, 0);  // wakes the modal loop
    }
}

void FormWindow::NativeFocusArrived(forms::Control& control) {
    if (!closed_ && form_.Loaded()) form_.FocusedByUser(&control);
}

void FormWindow::NativeKeyDown(forms::Control& control, int16_t key_code, int16_t shift) {
    if (!closed_) control.UserKeyDown(key_code, shift);
}

}  // namespace pwstd
