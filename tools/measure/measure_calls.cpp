// pwstd_measure_calls.exe [iterations (20000)]: what one reading and one key event cost.
//   joyGetPosEx   timed in a copy of this program staged without the stand-in (the system's winmm:
//                 no joystick) and in one staged with it (a connected, centred pad);
//   keybd_event   a press and a release of VK_F24 (a key no keyboard has), with no low-level
//                 keyboard hook and with the key recorder's hook in place; also with the scan
//                 code the "ScanCodes" option adds (MapVirtualKeyW), and MapVirtualKeyW alone: under
//                 Wine two runs of the same keybd_event loop can differ several times over, so the
//                 lookup's own line is the cost the option adds.
//   joyGetNumDevs what the "AnyJoystick" search asks once joystick 0 has failed.
//   joyGetPosEx   also once every 25 ms, as the poll makes it, which shows costs that come only
//                 now and then (the system's winmm looks for new joysticks every few seconds);
//   Shell_NotifyIconW  the rate display's once-a-second tray update (new icon and tip), received
//                 by a stand-in tray window in this process.
// Each call is timed on its own (median, 99th percentile; the clock's resolution is 0.1 us under
// Wine), then `iterations` more are timed together for the mean, without a clock read between them.
// A measurement, not a test: it judges nothing.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/tray_recorder.h"
#include "tests/win32/support/win_test_support.h"

using namespace pwstd::wintest;

namespace {

struct Timing {
    double median_us = 0, p99_us = 0, mean_us = 0, max_us = 0;
    int n = 0;
};

void Order(std::vector<double>& each, Timing& t) {
    std::sort(each.begin(), each.end());
    t.n = static_cast<int>(each.size());
    t.median_us = each[each.size() / 2];
    t.p99_us = each[std::min(each.size() - 1, each.size() * 99 / 100)];
    t.max_us = each.back();
}

// Each call timed on its own, `pause_ms` apart; the mean is of these timings.
Timing Paced(int n, DWORD pause_ms, const std::function<void()>& call) {
    std::vector<double> each;
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        Sleep(pause_ms);
        const int64_t before = Qpc();
        call();
        each.push_back(QpcMs(Qpc() - before) * 1000.0);
        sum += each.back();
    }
    Timing t;
    Order(each, t);
    t.mean_us = sum / n;
    return t;
}

Timing Time(int n, const std::function<void()>& call) {
    for (int i = 0; i < std::min(n, 100); ++i) call();  // warm
    std::vector<double> each;
    each.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int64_t before = Qpc();
        call();
        each.push_back(QpcMs(Qpc() - before) * 1000.0);
    }
    Timing t;
    Order(each, t);
    const int64_t all = Qpc();
    for (int i = 0; i < n; ++i) call();
    t.mean_us = QpcMs(Qpc() - all) * 1000.0 / n;
    return t;
}

std::string Line(const char* what, const Timing& t) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "%-48s median %8.2f us, p99 %8.2f us, max %8.1f us, mean %8.3f us (%d calls)\n",
                  what, t.median_us, t.p99_us, t.max_us, t.mean_us, t.n);
    return text;
}

// In the staged copy: times joyGetPosEx with whichever winmm the loader chose, writes the line.
int Child(int n, const std::wstring& out) {
    JOYINFOEX info{};
    MMRESULT code = 0;
    const auto read = [&] {
        info.dwSize = sizeof info;
        info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNBUTTONS;
        code = joyGetPosEx(JOYSTICKID1, &info);
    };
    const Timing t = Time(n, read);
    std::string text = Line(("joyGetPosEx, result " + std::to_string(code)).c_str(), t);
    text += "                            " + Line("  the same, one call every 25 ms:", Paced(400, 25, read));
    HANDLE file = CreateFileW(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}

void Reading(int n, bool standin) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    TempDir dir;
    StandinWinmm winmm;
    winmm.set(Idle(0));
    const std::wstring exe = Stage(self, dir.path(), standin);
    Process child = Process::Start(exe, {L"--child", std::to_wstring(n), dir.file(L"out.txt")},
                                   winmm.env());
    if (!child.wait(120s)) {
        std::printf("  the reading did not finish\n");
        return;
    }
    std::printf("%s  %s", standin ? "stand-in, pad centred:    " : "system winmm, no joystick:",
                ReadFileBytes(dir.file(L"out.txt")).c_str());
}

// The rate display's update: the next of four frames and a new tip, to a tray window of our own.
void TrayUpdates(int n) {
    TrayRecorder tray;
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const HICON icons[2] = {LoadIconW(nullptr, MAKEINTRESOURCEW(32512)), LoadIconW(nullptr, MAKEINTRESOURCEW(32515))};
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = 512;
    data.hIcon = icons[0];
    lstrcpyW(data.szTip, L"\x52D5\x4F5C\x4E2D\x30FB\x30FB\x30FB");
    Shell_NotifyIconW(NIM_ADD, &data);
    int frame = 0;
    const Timing t = Time(n, [&] {
        data.hIcon = icons[++frame % 2];
        wsprintfW(data.szTip, L"\x52D5\x4F5C\x4E2D\x30FB\x30FB\x30FB %dFPS", 40 + frame % 2);
        Shell_NotifyIconW(NIM_MODIFY, &data);
    });
    std::printf("%s", Line("Shell_NotifyIconW NIM_MODIFY, icon and tip:", t).c_str());
    Shell_NotifyIconW(NIM_DELETE, &data);
    DestroyWindow(window);
}

void KeyPair() {
    keybd_event(VK_F24, 0, 0, 0);
    keybd_event(VK_F24, 0, KEYEVENTF_KEYUP, 0);
}

// As the key sink sends them with "ScanCodes" on: the scan code looked up for each event.
void ScanCodeKeyPair() {
    keybd_event(VK_F24, static_cast<BYTE>(MapVirtualKeyW(VK_F24, MAPVK_VK_TO_VSC)), 0, 0);
    keybd_event(VK_F24, static_cast<BYTE>(MapVirtualKeyW(VK_F24, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 3 && std::wstring(argv[1]) == L"--child") return Child(_wtoi(argv[2]), argv[3]);
    const int n = argc > 1 ? _wtoi(argv[1]) : 20000;
    std::printf("%s", Line("nothing (the clock's own cost in the median):", Time(n, [] {})).c_str());
    Reading(n, false);
    Reading(n, true);
    TrayUpdates(std::max(1, n / 100));
    const int keys = std::max(1, n / 10);
    std::printf("%s", Line("keybd_event VK_F24 press + release, no hook:", Time(keys, KeyPair)).c_str());
    std::printf("%s", Line("  the same with MapVirtualKeyW scan codes:", Time(keys, ScanCodeKeyPair)).c_str());
    volatile UINT sink = 0;
    std::printf("%s", Line("MapVirtualKeyW VK_LEFT, MAPVK_VK_TO_VSC:",
                           Time(n, [&] { sink = sink + MapVirtualKeyW(VK_LEFT, MAPVK_VK_TO_VSC); }))
                          .c_str());
    std::printf("%s", Line("joyGetNumDevs:", Time(n, [&] { sink = sink + joyGetNumDevs(); })).c_str());
    std::fflush(stdout);
    KeyRecorder recorder;
    std::printf("%s",
                Line("keybd_event VK_F24 press + release, LL hook:", Time(keys, KeyPair)).c_str());
    return 0;
}
