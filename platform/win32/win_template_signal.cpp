#include "platform/win32/win_template_signal.h"

#include "platform/win32/hidden_window.h"

namespace pwstd {

void WinTemplateSignal::post() { PostMessageW(window_, kTemplateButtonMessage, 0, 0); }

}  // namespace pwstd
