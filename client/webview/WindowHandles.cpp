#include "ClientMessages.h"

HWND MainFrameHwnd = nullptr;
HWND CallDialogHwnd = nullptr;
HWND LeaveDialogHwnd = nullptr;
HWND SongDialogHwnd = nullptr;
