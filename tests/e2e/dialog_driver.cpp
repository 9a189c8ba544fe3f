#include "tests/e2e/dialog_driver.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace pwstd::wintest {

namespace {

using std::chrono::milliseconds;

// Lets the program take what was just put into its input queue.
void Settle() { std::this_thread::sleep_for(milliseconds(60)); }

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

INPUT Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT Mouse(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

}  // namespace

HWND OpenSettings(const AppSession& app, SettingsItem item) {
    HWND dialog = nullptr;
    // A loaded virtual display now and then loses a key posted to the menu while its submenu
    // opens: the menu is then closed and walked once more. The program's part, showing the menu,
    // is not retried.
    for (int attempt = 0; attempt < 2 && dialog == nullptr; ++attempt) {
        app.Callback(WM_RBUTTONDOWN);
        const HWND popup = app.WaitPopup();
        if (popup == nullptr) return nullptr;
        app.MenuKey(popup, VK_DOWN);   // "プロパティ..."
        app.MenuKey(popup, VK_RIGHT);  // its submenu, on "キー設定..."
        for (int i = 0; i < static_cast<int>(item); ++i) app.MenuKey(popup, VK_DOWN);
        app.MenuKey(popup, VK_RETURN);
        dialog = app.WaitDialog();
        for (int i = 0; dialog == nullptr && i < 5; ++i) {
            const HWND open = app.WaitPopup(std::chrono::milliseconds(200));
            if (open == nullptr) break;
            app.MenuKey(open, VK_ESCAPE);
        }
    }
    if (dialog == nullptr) return nullptr;
    // The dialog's window shows before its opening has set its controls from the settings.
    WaitFor([&] { return IsWindowEnabled(dialog) && GetForegroundWindow() == dialog; }, std::chrono::seconds(5));
    Settle();
    return dialog;
}

std::vector<HWND> Children(HWND dialog, const wchar_t* native_class) {
    struct Search {
        std::wstring wanted;
        std::vector<HWND> found;
    } search{native_class, {}};
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[32] = {};
            GetClassNameW(child, name, 32);
            if (_wcsicmp(name, s->wanted.c_str()) == 0) s->found.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return search.found;
}

HWND ChildWithText(HWND dialog, const wchar_t* native_class, const std::string& text, bool prefix) {
    for (HWND child : Children(dialog, native_class)) {
        const std::string shown = TextOf(child);
        if (prefix ? shown.rfind(text, 0) == 0 : shown == text) return child;
    }
    return nullptr;
}

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, nullptr);
    return Narrow(text);
}

std::string WaitText(HWND window, const std::string& text, milliseconds timeout) {
    std::string shown;
    WaitFor(
        [&] {
            shown = TextOf(window);
            return shown == text;
        },
        timeout, milliseconds(10));
    return shown;
}

void Scroll(HWND bar, WORD code, int position) {
    const HWND parent = GetParent(bar);
    const auto lparam = reinterpret_cast<LPARAM>(bar);
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)), lparam);
    if (code != SB_THUMBTRACK) SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), lparam);
}

void DragThumb(HWND bar, int position, bool release) {
    Scroll(bar, SB_THUMBTRACK, position);
    if (release) Scroll(bar, SB_THUMBPOSITION, position);
}

int ScrollPos(HWND bar) { return static_cast<int>(SendMessageW(bar, SBM_GETPOS, 0, 0)); }

void ClickAt(HWND window, int dx) {
    RECT place{};
    GetWindowRect(window, &place);
    const LONG x = dx >= 0 ? place.left + dx : place.right + dx;
    const LONG y = (place.top + place.bottom) / 2;
    // Absolute mouse positions are in 1/65536 of the primary screen.
    const LONG ax = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    const LONG ay = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, ax, ay), Mouse(MOUSEEVENTF_LEFTDOWN),
          Mouse(MOUSEEVENTF_LEFTUP)});
}

void Click(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    ClickAt(window, (place.right - place.left) / 2);
}

void PressKey(WORD vk) { Send({Key(vk, false), Key(vk, true)}); }

void PressWith(WORD held, WORD vk) { Send({Key(held, false), Key(vk, false), Key(vk, true), Key(held, true)}); }

void PressWithAll(const std::vector<WORD>& held, WORD vk) {
    std::vector<INPUT> inputs;
    for (WORD key : held) inputs.push_back(Key(key, false));
    inputs.push_back(Key(vk, false));
    inputs.push_back(Key(vk, true));
    for (auto key = held.rbegin(); key != held.rend(); ++key) inputs.push_back(Key(*key, true));
    Send(inputs);
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    }
    Send(inputs);
}

bool WaitClosed(HWND window, milliseconds timeout) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout, milliseconds(20));
}

}  // namespace pwstd::wintest
