#include "platform/win32/renderer/win_common_controls.h"

#include <windows.h>
#include <commctrl.h>

namespace pwstd {

void LoadCommonControls() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)loaded;
}

}  // namespace pwstd
