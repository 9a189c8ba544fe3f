#pragma once

namespace pwstd {

// Loads the common controls library (version 6, as the program's manifest asks, which gives the
// dialogs' controls the system's visual style) and registers its window classes, once, before the
// first control is made. Until a dialog opens the program does not map the library at all: it is
// delay-loaded, and the program mostly lives with no window open.
void LoadCommonControls();

}  // namespace pwstd
