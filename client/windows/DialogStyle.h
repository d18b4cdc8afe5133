#pragma once
// How the client creates its skinned dialogs.
#include <windows.h>

#include "window/WindowImplBase.h"

// Creates the dialog's window with no parent, the given title, popup and visible with the
// caption bits that the toolkit removes again, at the default position and size (the layout's
// `size` gives the real one). The window's handle, or null.
HWND CreateDialogWindow(ui::WindowImplBase& dialog, const wchar_t* title);

// The end of the client when a dialog's window cannot be created at all (no desktop to show it
// on): its callers take any result but "closed" as a retry and would ask the service again and
// again without a user. Ends the process with exit code 1, as a window that cannot be built does.
[[noreturn]] void EndWithoutWindows();
