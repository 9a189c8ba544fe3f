// The tray icon on the shell: the rate display reaches it on the user-interface thread.
#include <gtest/gtest.h>

#include <string>

#include "tests/tray/tray_rig.h"

namespace pwstd::test {
namespace {

// The timer thread only signals; the shell is called when the UI thread takes the display, and a
// pause that came first wins.
TEST(TrayIcon, TheRateDisplayReachesTheShellFromTheUserInterfaceThreadUnlessPausedSince) {
    TrayRig rig;
    rig.form.Form_Load();
    rig.log.clear();
    rig.poll.PadTimerProc();
    EXPECT_EQ(rig.log, Log{"rate signal"}) << "no tray call on the timer thread";
    rig.form.ShowPollRate();
    rig.form.ShowPollRate();  // a signal with nothing waiting
    EXPECT_EQ(rig.log, (Log{"rate signal", "tray modify 7 2 動作中・・・ 0FPS"}));

    rig.log.clear();
    rig.poll.ShowPollRate(40);
    rig.form.TogglePadActive();
    rig.form.ShowPollRate();
    EXPECT_EQ(rig.state.IconFrame, 3);
    rig.form.TogglePadActive();
    rig.poll.ShowPollRate(39);
    rig.form.ShowPollRate();
    EXPECT_EQ(rig.log, (Log{"rate signal", "doevents", "tray modify 6 0 停止中・・・", "doevents",
                            "tray modify 6 3 動作中・・・", "rate signal", "tray modify 7 4 動作中・・・ 39FPS"}));
}

}  // namespace
}  // namespace pwstd::test
