#pragma once
// One run of the real PwStd.exe, watched from outside: staged in a fresh folder with a prepared
// PwStd.ini and the stand-in winmm.dll, with a stand-in tray and a keyboard hook recording what
// reaches the desktop. The tray callbacks are sent to the program's hidden window as the shell
// sends them (SendNotifyMessage, so a popup menu's loop cannot hold them up).
#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/tray_recorder.h"
#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {

inline constexpr const char* kRunningTip = "動作中・・・";
inline constexpr const char* kPausedTip = "停止中・・・";

// Where the program runs and how the stand-in shell answers it.
struct AppOptions {
    // The program built with the tests is staged in a fresh folder, inside it in a folder of this
    // name when given.
    std::wstring folder;
    // When given, this program runs where it is (an unpacked package) instead.
    std::wstring exe;
    TrayAnswers tray;  // how the stand-in shell answers the program's tray calls
};

class AppSession {
public:
    // `ini` is the settings file's text (ASCII, or code page 932 bytes); empty: no file.
    explicit AppSession(const std::string& ini, AppOptions options = {});
    ~AppSession();

    // Starts the program once no other copy runs, and waits until it has asked for its tray icon
    // and started its timer.
    void Start();

    StandinWinmm& winmm() { return winmm_; }
    KeyRecorder& keys() { return keys_; }
    TrayRecorder& tray() { return tray_; }
    Process& process() { return process_; }
    const std::wstring& exe() const { return exe_; }
    HWND window() const { return window_; }  // the hidden window the tray icon calls back
    std::wstring ini_path() const { return folder_ + L"\\PwStd.ini"; }

    // Starts another copy of the program at `exe` (this session's own when empty) with this
    // session's stand-in joystick and timer records, so what it does shows among the first's.
    Process StartCopy(const std::wstring& exe = {}) const;
    // The tray callback with mouse message `mouse` (513 left press, 516 right press ...).
    void Callback(uint32_t mouse) const;
    // Waits for a tray call after the first `from` calls that satisfies `match`; returns its index.
    int WaitTray(size_t from, const std::function<bool(const TrayCall&)>& match,
                 std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
    // The popup menu window the program has open, once it shows.
    HWND WaitPopup(std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
    // A visible window of the program other than a popup menu (a dialog), once it shows.
    HWND WaitDialog(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // Keys posted to the program's menu loop: `vk` pressed and let go.
    void MenuKey(HWND popup, UINT vk) const;
    // Picks "テンプレート" > item `slot` (0 "カスタム", 1..10) from the popup menu as a user would,
    // and waits until the menu has closed; false when the menu did not show or stayed open.
    bool ChooseTemplate(int slot) const;
    // Picks "終了" from the popup menu; true once the program has ended, with its exit code.
    bool Quit(uint32_t* exit_code) const;
    // The program's visible top-level windows, popup menus included.
    std::vector<HWND> VisibleWindows() const;

private:
    std::unique_ptr<TempDir> staged_;  // the fresh folder, when the program is staged
    std::wstring exe_, folder_;
    StandinWinmm winmm_;
    KeyRecorder keys_;
    TrayRecorder tray_;
    Process process_;
    HWND window_ = nullptr;
};

// The visible top-level windows of the process with id `process`, popup menus included.
std::vector<HWND> VisibleWindowsOf(uint32_t process);
// Writes `bytes` as the whole file; throws when it cannot.
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The executable's manifest as text, and a value of its version information ("ProductVersion" ...);
// empty when missing.
std::string ManifestOf(const std::wstring& exe);
std::string VersionValue(const std::wstring& exe, const wchar_t* name);

// The settings file's text from lines "[Section]" and "key=value".
std::string Ini(const std::vector<std::string>& lines);

// A tray tip update of the rate display, "動作中・・・ 40FPS", and the rate it shows.
bool IsRateTip(const TrayCall& call);
int RateOf(const TrayCall& call);
// The value of "key=..." in section "[section]" of a settings file's text, or "(none)".
std::string IniValue(const std::string& text, const std::string& section, const std::string& key);

}  // namespace pwstd::wintest
