#pragma once
// The modal message loop of a toolkit window and the hook through which the toolkit sees every
// message the loop takes before it is dispatched (the windows' key filters).
#include <windows.h>

namespace ui {

// Offers a queued message to the toolkit; true when a filter took it (it is then neither
// translated nor dispatched). Installed by the paint managers.
using MessageFilterHook = bool (*)(const MSG& msg);
void SetMessageFilterHook(MessageFilterHook hook);

// Shows the window, disables its owner and pumps messages until the window is gone or WM_QUIT
// arrives (which is posted again for enclosing loops). Returns the wParam of the last WM_CLOSE
// posted to the window, 0 when none reached it.
// The owner is enabled and focused again on every way out, an exception unwinding through the
// loop included.
UINT RunModalLoop(HWND hwnd);

// Enables every owner that a running modal loop has disabled. For the ends of the process that
// skip the loops' own clean-up: an error caught at the top, an unhandled exception.
void EnableDisabledOwners() noexcept;

}  // namespace ui
