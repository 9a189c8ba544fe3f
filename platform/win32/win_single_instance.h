#pragma once
// One running copy per user session: a second copy would poll the same pad and send every key twice.

namespace pwstd {

// Takes the session's mark of a running copy. True when this process now holds it (until the
// process ends); false when another copy in this user session holds it, from whatever folder and
// with whatever rights it runs. Call before anything else at start-up.
bool ClaimSingleInstance();

// Tells the user that the program already runs and where to find it; returns once the box is
// closed. The one message the program ever shows.
void ShowAlreadyRunning();

}  // namespace pwstd
