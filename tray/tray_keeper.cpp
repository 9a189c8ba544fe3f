#include "tray/tray_keeper.h"

namespace pwstd {

void TrayKeeper::Add(const TrayRecord& record) {
    if (tray_.notify(TrayMessage::Add, record)) {
        StopRetries();
    } else {
        StartRetries();
    }
}

void TrayKeeper::Modify(const TrayRecord& change, const TrayRecord& full) {
    if (retrying()) return;
    if (!tray_.notify(TrayMessage::Modify, change)) Add(full);
}

void TrayKeeper::Delete() {
    StopRetries();
    tray_.notify(TrayMessage::Delete, {});
}

void TrayKeeper::Retry(const TrayRecord& full) {
    if (!retrying()) return;  // a tick queued before the timer was stopped
    if (tray_.notify(TrayMessage::Add, full) || tray_.notify(TrayMessage::Modify, full)) {
        StopRetries();
    } else if (--retries_left_ == 0) {
        timer_.stop();
    }
}

void TrayKeeper::StartRetries() {
    retries_left_ = kTrayRetries;
    timer_.start(kTrayRetryMs);
}

void TrayKeeper::StopRetries() {
    if (!retrying()) return;
    retries_left_ = 0;
    timer_.stop();
}

}  // namespace pwstd
