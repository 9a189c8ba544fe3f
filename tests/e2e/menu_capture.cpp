#include "tests/e2e/menu_capture.h"

#include <algorithm>
#include <thread>

namespace pwstd::wintest {

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

Picture Grab(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    Picture picture;
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    if (picture.width <= 0 || picture.height <= 0) return picture;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.width, picture.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = -picture.height;  // top row first
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    picture.pixels.resize(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    for (uint32_t& pixel : picture.pixels) pixel &= 0x00FFFFFF;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

// The visible popup menu windows of a process, leftmost first: a submenu opens to the right.
std::vector<HWND> MenuWindows(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && std::wstring(name) == L"#32768") s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
        RECT ra{}, rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return search.found;
}

void PostKey(HWND popup, UINT vk) {
    PostMessageW(popup, WM_KEYDOWN, vk, 1);
    PostMessageW(popup, WM_KEYUP, vk, 0xC0000001);
    std::this_thread::sleep_for(milliseconds(150));
}

// From the popup just opened: "プロパティ...", "テンプレート", into its submenu (on its first item).
// Returns the submenu's picture and closes the menu.
Picture WalkIntoTemplates(DWORD pid) {
    std::vector<HWND> menus;
    if (!WaitFor([&] { return (menus = MenuWindows(pid)).size() == 1; }, seconds(5))) return {};
    const HWND root = menus[0];
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_RIGHT}) PostKey(root, vk);
    Picture picture;
    if (WaitFor([&] { return (menus = MenuWindows(pid)).size() == 2; }, seconds(5))) picture = Photograph(menus[1]);
    PostKey(root, VK_ESCAPE);
    PostKey(root, VK_ESCAPE);
    WaitFor([&] { return MenuWindows(pid).empty(); }, seconds(5));
    return picture;
}

}  // namespace

Picture Photograph(HWND window) {
    Picture last = Grab(window);
    for (int i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(milliseconds(100));
        Picture now = Grab(window);
        if (now == last) return now;
        last = std::move(now);
    }
    return last;
}

Picture ProgramTemplateMenu(AppSession& app, POINT at) {
    SetCursorPos(at.x, at.y);
    app.Callback(WM_RBUTTONDOWN);
    return WalkIntoTemplates(app.process().pid());
}

Picture ReferenceTemplateMenu(const std::vector<std::wstring>& captions, int checked, POINT at) {
    std::thread menu_thread([&] {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        HMENU root = CreatePopupMenu();
        HMENU properties = CreatePopupMenu();
        AppendMenuW(properties, MF_STRING, 1, L"キー設定...");
        AppendMenuW(root, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(properties), L"プロパティ...");
        HMENU templates = CreatePopupMenu();
        for (size_t i = 0; i < captions.size(); ++i) {
            const UINT flags = MF_STRING | (static_cast<int>(i) == checked ? MF_CHECKED : 0u);
            AppendMenuW(templates, flags, 10 + i, captions[i].c_str());
        }
        AppendMenuW(root, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(templates), L"テンプレート");
        SetForegroundWindow(owner);
        TrackPopupMenu(root, TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, owner, nullptr);
        DestroyMenu(root);
        DestroyWindow(owner);
    });
    SetCursorPos(at.x, at.y);
    Picture picture = WalkIntoTemplates(GetCurrentProcessId());
    menu_thread.join();
    return picture;
}

std::vector<std::wstring> DefaultTemplateCaptions() {
    const std::wstring digits[] = {L"１", L"２", L"３", L"４", L"５", L"６", L"７", L"８", L"９", L"１０"};
    std::vector<std::wstring> captions{L"カスタム"};
    for (const std::wstring& n : digits) captions.push_back(L"テンプレート" + n);
    return captions;
}

}  // namespace pwstd::wintest
