#include "platform/win32/renderer/win_control_input.h"

#include <commctrl.h>
#include <imm.h>

#include "platform/win32/renderer/win_popup_menu.h"

namespace pwstd {
namespace {

constexpr UINT_PTR kSubclassId = 0x5057;  // one subclass per control

struct ControlInput {
    forms::Control* Control;
    ControlInputListener* Listener;
    bool KeyBox;
};

// The messages a key box keeps from the edit control behind it.
bool KeyBoxSwallows(UINT message) {
    switch (message) {
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR:
        case WM_IME_CHAR:
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case WM_CONTEXTMENU: return true;
        default: return false;
    }
}

// The control's own menu at the mouse, owned by its window; the chosen item's handler runs once
// the menu has closed.
void ShowContextMenu(HWND native, forms::MenuItem& root) {
    forms::MenuItem* chosen = nullptr;
    {
        PopupMenu menu(root);
        POINT at{};
        GetCursorPos(&at);
        const HWND owner = GetAncestor(native, GA_ROOT);
        const UINT command = static_cast<UINT>(
            TrackPopupMenu(menu.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, owner, nullptr));
        chosen = menu.ItemFor(command);
    }
    if (chosen != nullptr) chosen->Choose();
}

LRESULT CALLBACK ControlInputProc(HWND native, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                  DWORD_PTR data) {
    auto* input = reinterpret_cast<ControlInput*>(data);
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(native, message, wparam, lparam);
            input->Listener->NativeFocusArrived(*input->Control);
            return result;
        }
        case WM_NCDESTROY: {
            RemoveWindowSubclass(native, ControlInputProc, kSubclassId);
            delete input;
            return DefSubclassProc(native, message, wparam, lparam);
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_KEYDOWN:
        case WM_CHAR:
            // A list box tells its parent of a new selection; the model hears it here, after the
            // box has moved it, whatever did (click, drag, arrow keys, typing a name's start).
            if (input->Control->kind() == forms::ControlKind::ListBox) {
                const LRESULT result = DefSubclassProc(native, message, wparam, lparam);
                const auto selected = static_cast<int32_t>(SendMessageW(native, LB_GETCURSEL, 0, 0));
                if (selected != input->Control->Value()) input->Control->UserSelect(selected);
                return result;
            }
            break;
        case WM_CONTEXTMENU:
            if (input->Control->ContextMenu != nullptr && input->Control->Enabled()) {
                ShowContextMenu(native, *input->Control->ContextMenu);
                return 0;
            }
            break;
        default: break;
    }
    if (!input->KeyBox) return DefSubclassProc(native, message, wparam, lparam);

    switch (message) {
        case WM_GETDLGCODE: {
            const LRESULT code = DefSubclassProc(native, message, wparam, lparam);
            const auto* pending = reinterpret_cast<const MSG*>(lparam);
            if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_TAB) {
                return code & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
            }
            return code | DLGC_WANTALLKEYS;
        }
        case WM_KEYDOWN:
            input->Listener->NativeKeyDown(*input->Control, static_cast<int16_t>(wparam), CurrentShiftState());
            return 0;
        case WM_SYSKEYDOWN:
            input->Listener->NativeKeyDown(*input->Control, static_cast<int16_t>(wparam), CurrentShiftState());
            // Alt+F4 still closes the window; Alt and F10 alone do not open the window menu.
            if (wparam == VK_F4) return DefSubclassProc(native, message, wparam, lparam);
            return 0;
        default:
            if (KeyBoxSwallows(message)) return 0;
            return DefSubclassProc(native, message, wparam, lparam);
    }
}

}  // namespace

bool IsKeyBox(const forms::Control& control) {
    return control.kind() == forms::ControlKind::TextBox && static_cast<bool>(control.KeyDown);
}

void AttachControlInput(HWND native, forms::Control& control, ControlInputListener& listener) {
    auto* input = new ControlInput{&control, &listener, IsKeyBox(control)};
    if (!SetWindowSubclass(native, ControlInputProc, kSubclassId, reinterpret_cast<DWORD_PTR>(input))) {
        delete input;
        return;
    }
    if (input->KeyBox || (control.kind() == forms::ControlKind::TextBox && control.layout().Locked)) {
        ImmAssociateContextEx(native, nullptr, 0);
    }
}

int16_t CurrentShiftState() {
    int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= forms::kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= forms::kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= forms::kAltMask;
    return shift;
}

}  // namespace pwstd
