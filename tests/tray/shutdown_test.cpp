#include <gtest/gtest.h>

#include "tests/tray/tray_rig.h"

namespace pwstd::test {
namespace {

class ShutDown : public ::testing::Test {
protected:
    void SetUp() override {
        rig.form.SetDialogs(rig.Factory(made), rig.Factory(made), rig.Factory(made));
        rig.form.Form_Load();
    }
    TrayRig rig;
    int made = 0;
};

TEST_F(ShutDown, QuitRemovesTheIconStopsTheTimerReleasesHeldKeysAndEnds) {
    rig.form.mnuAbout_Click();  // an instance to drop
    rig.pad.reading.Buttons = 0b11;     // buttons 1 and 2 held down by the pad
    rig.SetKey(ButtonControl(2), 90);
    rig.poll().PadTimerProc();
    rig.log.clear();

    rig.windows.while_popup = [&](forms::MenuItem& root) { root.Find("mnuQuit")->Choose(); };
    EXPECT_THROW(rig.form.TrayCallback(kWmRButtonDown), ProgramEnded);
    EXPECT_EQ(rig.log, (Log{"foreground", "doevents", "popup mnuPop", "tray delete 0 0 ", "dialog destroyed",
                            "timer kill_event 77", "timer end_period 25", "sleep 100", "release 32", "release 90", "end"}));
    EXPECT_EQ(rig.profile.puts, 0);
}

// Unload by another route than Quit (the session ends): the icon and the keys are left alone, and
// the period released is the one in force, which the general settings dialog may have changed.
TEST_F(ShutDown, UnloadAloneStopsTheTimerInForce) {
    rig.pad.reading.Buttons = 1;
    rig.poll().PadTimerProc();
    rig.state.Wait = 60;
    rig.state.TimerId = 78;
    rig.log.clear();
    int16_t cancel = 0;
    rig.form.Form_Unload(cancel);
    EXPECT_EQ(cancel, 0);
    EXPECT_EQ(rig.log, (Log{"timer kill_event 78", "timer end_period 60", "sleep 100"}));
}

// The session can end while a dialog is on screen: the dialog must live until its modal call is
// over, and the next opening makes a new one.
TEST_F(ShutDown, UnloadWhileADialogShowsKeepsItUntilItCloses) {
    rig.form.mnuKeySet_Click();
    rig.windows.while_modal = [&](forms::Form&) {
        int16_t cancel = 0;
        rig.form.Form_Unload(cancel);
        rig.log.push_back("unloaded");
    };
    rig.log.clear();
    rig.form.mnuKeySet_Click();
    EXPECT_EQ(rig.log, (Log{"doevents", "modal", "timer kill_event 77", "timer end_period 25", "sleep 100", "unloaded",
                            "modal closed", "dialog destroyed"}));
    rig.windows.while_modal = nullptr;
    rig.form.mnuKeySet_Click();
    EXPECT_EQ(made, 2);
}

}  // namespace
}  // namespace pwstd::test
