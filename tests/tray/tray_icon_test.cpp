// The tray icon on the shell: the rate display reaches it on the user-interface thread, and an
// icon the shell refuses is tried again.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/tray/tray_rig.h"

namespace pwstd::test {
namespace {

// The timer thread only signals; the shell is called when the UI thread takes the display, and a
// pause that came first wins.
TEST(TrayIcon, TheRateDisplayReachesTheShellFromTheUserInterfaceThreadUnlessPausedSince) {
    TrayRig rig;
    rig.form.Form_Load();
    rig.log.clear();
    rig.poll().PadTimerProc();
    EXPECT_EQ(rig.log, Log{"rate signal"}) << "no tray call on the timer thread";
    rig.form.ShowPollRate();
    rig.form.ShowPollRate();  // a signal with nothing waiting
    EXPECT_EQ(rig.log, (Log{"rate signal", "tray modify 7 2 動作中・・・ 0FPS"}));

    rig.log.clear();
    rig.poll().ShowPollRate(40);
    rig.form.TogglePadActive();
    rig.form.ShowPollRate();
    EXPECT_EQ(rig.state.IconFrame, 3);
    rig.form.TogglePadActive();
    rig.poll().ShowPollRate(39);
    rig.form.ShowPollRate();
    EXPECT_EQ(rig.log, (Log{"rate signal", "doevents", "tray modify 6 0 停止中・・・", "doevents",
                            "tray modify 6 3 動作中・・・", "rate signal", "tray modify 7 4 動作中・・・ 39FPS"}));
}

enum class Step { Tick, Rate, Toggle, Taskbar, Quit };

struct RefusalCase {
    const char* name;
    int refused_adds;      // the shell refuses this many adds first; -1: every add
    int refused_modifies;  // the same for changes
    std::vector<Step> steps;
    Log expected;          // the tray and retry timer calls, from start-up on
};

constexpr const char* kAddRefused = "tray add 7 1 動作中・・・ refused";

Log NeverTaken() {
    Log log = {kAddRefused, "retry start 2000"};
    for (int i = 0; i < kTrayRetries; ++i) {
        log.push_back(kAddRefused);
        log.push_back("tray modify 7 1 動作中・・・ refused");
    }
    log.push_back("retry stop");
    log.push_back(kAddRefused);  // the shell started again
    log.push_back("retry start 2000");
    return log;
}

TEST(TrayIcon, AnIconTheShellRefusesIsTriedAgainUntilItIsThere) {
    std::vector<Step> minutes(static_cast<size_t>(kTrayRetries) + 1, Step::Tick);
    minutes.push_back(Step::Taskbar);
    const RefusalCase cases[] = {
        {"an add refused at start-up is tried again at the next tick, with the state in force",
         1, 0, {Step::Rate, Step::Tick, Step::Tick},
         {kAddRefused, "retry start 2000", "tray add 7 2 動作中・・・", "retry stop"}},
        {"a shell that never takes it is tried for two minutes, then again when it starts",
         -1, -1, minutes, NeverTaken()},
        {"an add refused though it went through: the change at the next tick ends the retries",
         -1, 0, {Step::Tick},
         {kAddRefused, "retry start 2000", kAddRefused, "tray modify 7 1 動作中・・・", "retry stop"}},
        {"a rate display the shell refuses (the icon is gone) adds the icon again",
         0, 1, {Step::Rate, Step::Rate},
         {"tray add 7 1 動作中・・・", "tray modify 7 2 動作中・・・ 40FPS refused", "tray add 7 2 動作中・・・ 40FPS",
          "tray modify 7 3 動作中・・・ 40FPS"}},
        {"a pause the shell refuses adds the paused icon again", 0, 1, {Step::Toggle},
         {"tray add 7 1 動作中・・・", "tray modify 6 0 停止中・・・ refused", "tray add 7 0 停止中・・・"}},
        {"TaskbarCreated while retrying adds at once and ends the retries", 1, 0, {Step::Taskbar, Step::Tick},
         {kAddRefused, "retry start 2000", "tray add 7 1 動作中・・・", "retry stop"}},
        {"a pause while retrying is what the retry adds", 1, 0, {Step::Toggle, Step::Tick},
         {kAddRefused, "retry start 2000", "tray add 7 0 停止中・・・", "retry stop"}},
        {"quit while retrying stops the retries", 1, 0, {Step::Quit},
         {kAddRefused, "retry start 2000", "retry stop", "tray delete 0 0 "}},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        TrayRig rig;
        int adds = 0, modifies = 0;
        rig.tray.answer = [&](TrayMessage message) {
            const auto taken = [](int refused, int& asked) { return refused >= 0 && asked++ >= refused; };
            if (message == TrayMessage::Add) return taken(c.refused_adds, adds);
            if (message == TrayMessage::Modify) return taken(c.refused_modifies, modifies);
            return true;
        };
        rig.form.Form_Load();
        for (Step step : c.steps) {
            switch (step) {
                case Step::Tick: rig.form.TrayRetry_Timer(); break;
                case Step::Rate:
                    rig.poll().ShowPollRate(40);
                    rig.form.ShowPollRate();
                    break;
                case Step::Toggle: rig.form.TogglePadActive(); break;
                case Step::Taskbar: rig.form.TaskbarCreated(); break;
                case Step::Quit: EXPECT_THROW(rig.form.mnuQuit_Click(), ProgramEnded); break;
            }
        }
        Log seen;
        for (const std::string& line : rig.log)
            if (line.rfind("tray ", 0) == 0 || line.rfind("retry ", 0) == 0) seen.push_back(line);
        EXPECT_EQ(seen, c.expected);
    }
}

}  // namespace
}  // namespace pwstd::test
