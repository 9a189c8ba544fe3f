#include "tests/e2e/app_session.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace pwstd::wintest {

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write the settings file");
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ManifestOf(const std::wstring& exe) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return {};
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */)) {
        if (HGLOBAL data = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

std::string VersionValue(const std::wstring& exe, const wchar_t* name) {
    DWORD unused = 0;
    std::string info(GetFileVersionInfoSizeW(exe.c_str(), &unused), '\0');
    if (info.empty() || !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data())) return {};
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length)) return {};
    return Narrow(text);
}

std::string Ini(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

bool IsRateTip(const TrayCall& call) {
    const std::string prefix = std::string(kRunningTip) + " ";
    return call.message == NIM_MODIFY && call.tip.rfind(prefix, 0) == 0 && call.tip.size() > prefix.size() + 3 &&
           call.tip.substr(call.tip.size() - 3) == "FPS";
}

int RateOf(const TrayCall& call) {
    const size_t start = std::string(kRunningTip).size() + 1;
    return std::stoi(call.tip.substr(start, call.tip.size() - 3 - start));
}

std::string IniValue(const std::string& text, const std::string& section, const std::string& key) {
    const std::string lines = "\n" + text;
    const size_t begin = lines.find("\n[" + section + "]");
    if (begin == std::string::npos) return "(none)";
    const size_t end = std::min(lines.find("\n[", begin + 1), lines.size());
    const size_t at = lines.find("\n" + key + "=", begin);
    if (at == std::string::npos || at > end) return "(none)";
    const size_t start = at + key.size() + 2;
    return lines.substr(start, lines.find_first_of("\r\n", start) - start);
}

AppSession::AppSession(const std::string& ini, AppOptions options) : tray_(options.tray) {
    const std::wstring& folder = options.folder;
    const std::wstring& exe = options.exe;
    if (exe.empty()) {
        staged_ = std::make_unique<TempDir>();
        const std::wstring dir = folder.empty() ? staged_->path() : staged_->file(folder);
        if (!folder.empty() && !CreateDirectoryW(dir.c_str(), nullptr))
            throw std::runtime_error("cannot create the program's folder");
        exe_ = Stage(FromBuildPath(PWSTD_EXE_PATH), dir, true);
    } else {
        exe_ = exe;
    }
    folder_ = exe_.substr(0, exe_.find_last_of(L'\\'));
    if (!exe.empty() && !CopyFileW(StandinDllPath().c_str(), (folder_ + L"\\winmm.dll").c_str(), FALSE))
        throw std::runtime_error("cannot put the stand-in winmm.dll beside " + Narrow(exe));
    if (!exe.empty() &&
        !CopyFileW(StandinXInputDllPath().c_str(), (folder_ + L"\\xinput1_4.dll").c_str(), FALSE))
        throw std::runtime_error("cannot put the stand-in xinput1_4.dll beside " + Narrow(exe));
    if (!ini.empty()) WriteFileBytes(ini_path(), ini);
    winmm_.set(Idle(0));
}

AppSession::~AppSession() {
    if (process_.running()) process_.kill();
}

void AppSession::Start() {
    // The program runs once per session: a copy that an earlier test (or test program) ended may
    // still be going away, and this one would then only show its message.
    if (!WaitFor(
            [] {
                HANDLE running = OpenMutexW(SYNCHRONIZE, FALSE, L"Local\\PwStd.Resident");
                if (running) CloseHandle(running);
                return running == nullptr;
            },
            std::chrono::seconds(20), std::chrono::milliseconds(20)))
        throw std::runtime_error("another PwStd still runs");
    process_ = Process::Start(exe_, {}, winmm_.env());
    const int added = WaitTray(0, [](const TrayCall& call) { return call.message == NIM_ADD; }, std::chrono::seconds(20));
    if (added < 0) throw std::runtime_error("PwStd added no tray icon");
    window_ = reinterpret_cast<HWND>(
        static_cast<intptr_t>(static_cast<int32_t>(tray_.calls()[static_cast<size_t>(added)].window)));
    if (!WaitFor([&] { return !winmm_.calls(standin::Call::SetEvent).empty(); }, std::chrono::seconds(10)))
        throw std::runtime_error("PwStd started no timer");
}

Process AppSession::StartCopy(const std::wstring& exe) const {
    return Process::Start(exe.empty() ? exe_ : exe, {}, winmm_.env());
}

void AppSession::Callback(uint32_t mouse) const { SendNotifyMessageW(window_, 512, 0, mouse); }

int AppSession::WaitTray(size_t from, const std::function<bool(const TrayCall&)>& match,
                         std::chrono::milliseconds timeout) const {
    int found = -1;
    WaitFor(
        [&] {
            const std::vector<TrayCall> calls = tray_.calls();
            for (size_t i = from; i < calls.size(); ++i) {
                if (match(calls[i])) {
                    found = static_cast<int>(i);
                    return true;
                }
            }
            return false;
        },
        timeout, std::chrono::milliseconds(10));
    return found;
}

HWND AppSession::WaitPopup(std::chrono::milliseconds timeout) const {
    HWND popup = nullptr;
    const bool shown = WaitFor(
        [&] {
            popup = FindWindowW(L"#32768", nullptr);
            DWORD pid = 0;
            if (popup) GetWindowThreadProcessId(popup, &pid);
            return popup && IsWindowVisible(popup) && pid == process_.pid();
        },
        timeout, std::chrono::milliseconds(10));
    return shown ? popup : nullptr;
}

HWND AppSession::WaitDialog(std::chrono::milliseconds timeout) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : VisibleWindows()) {
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (std::wstring(name) == L"#32768") continue;
                found = window;
                return true;
            }
            return false;
        },
        timeout, std::chrono::milliseconds(20));
    return found;
}

std::vector<HWND> AppSession::VisibleWindows() const { return VisibleWindowsOf(process_.pid()); }

std::vector<HWND> VisibleWindowsOf(uint32_t process) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{process, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == s->pid && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void AppSession::MenuKey(HWND popup, UINT vk) const {
    PostMessageW(popup, WM_KEYDOWN, vk, 1);
    PostMessageW(popup, WM_KEYUP, vk, 0xC0000001);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

bool AppSession::ChooseTemplate(int slot) const {
    Callback(516);
    const HWND popup = WaitPopup();
    if (!popup) return false;
    MenuKey(popup, VK_DOWN);   // "プロパティ..."
    MenuKey(popup, VK_DOWN);   // "テンプレート"
    MenuKey(popup, VK_RIGHT);  // its submenu, on "カスタム"
    for (int i = 0; i < slot; ++i) MenuKey(popup, VK_DOWN);
    MenuKey(popup, VK_RETURN);
    return WaitFor([&] { return !WaitPopup(std::chrono::milliseconds(0)); }, std::chrono::seconds(5));
}

bool AppSession::Quit(uint32_t* exit_code) const {
    Callback(516);
    const HWND popup = WaitPopup();
    if (!popup) return false;
    MenuKey(popup, VK_UP);  // from no selection up to the last item, "終了"
    MenuKey(popup, VK_RETURN);
    return process_.wait(std::chrono::seconds(10), exit_code);
}

}  // namespace pwstd::wintest
