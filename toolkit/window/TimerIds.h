#pragma once
// The native timer ids of a toolkit window, in separate ranges so that a window's own timers and
// the timers the toolkit starts for its controls can never meet:
//
//   1 - 999        the window's own timers (SetTimer on the window by its class, such as
//                  TIMER_DESKTOP_OWNER 10 and TIMER_START_LOGO 50)
//   1000 - 1999    control timers (PaintManager::SetTimer), handed out in turn
//   2000           the caret blink of the focused input
#include <windows.h>

namespace ui {

constexpr UINT kLastWindowTimerId = 999;
constexpr UINT kFirstControlTimerId = 1000;
constexpr UINT kLastControlTimerId = 1999;
constexpr UINT kCaretTimerId = 2000;

}  // namespace ui
