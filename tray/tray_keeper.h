#pragma once
// Keeps the tray icon on the shell. The icon is the user's only way to pause, configure or quit,
// and at logon the shell may be there but too busy to answer: an add it refuses is tried again
// every 2 s for two minutes, and at every "TaskbarCreated"; a change it refuses because the icon is
// gone (the shell restarted) adds the icon again.
#include <cstdint>

#include "engine/ports.h"
#include "tray/shell.h"

namespace pwstd {

inline constexpr int32_t kTrayRetryMs = 2000;
// Sixty tries 2 s apart: the icon is tried for at least two minutes after the shell refused it.
inline constexpr int32_t kTrayRetries = 60;

class TrayKeeper {
public:
    TrayKeeper(TrayIcon& tray, RetryTimer& timer) : tray_(tray), timer_(timer) {}

    // Adds the icon with `record`; when the shell refuses, the retries begin (again).
    void Add(const TrayRecord& record);
    // Changes the icon with `change`; `full` is the whole record of the state in force, used to add
    // the icon again when the shell no longer has it. While the retries run, nothing is asked:
    // the next retry adds the state in force.
    void Modify(const TrayRecord& change, const TrayRecord& full);
    // Removes the icon and stops the retries.
    void Delete();
    // A tick of the retry timer, with the whole record of the state in force. An add the shell
    // refuses because the icon is there after all (an add that timed out but went through) is
    // followed by a change, which then succeeds and ends the retries.
    void Retry(const TrayRecord& full);

    bool retrying() const { return retries_left_ > 0; }

private:
    void StartRetries();
    void StopRetries();

    TrayIcon& tray_;
    RetryTimer& timer_;
    int32_t retries_left_ = 0;
};

}  // namespace pwstd
