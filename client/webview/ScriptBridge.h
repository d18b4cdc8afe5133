#pragma once
// The native functions that the pages' script calls as global functions. Each turns a call into
// a window message for a client window (see ClientMessages.h).

// The shop page's fifteen registrations, for the main frame (MainFrameHwnd). Run once, before
// the shop address is loaded.
void BindShopFunctions();

enum class WebDialog { Call, Leave, Song };

// The seven functions of one web dialog's page, bound to that dialog's own handle
// (CallDialogHwnd, LeaveDialogHwnd or SongDialogHwnd); they do nothing while it is null. The
// names are the same for every dialog: the engine keeps, for a page, the functions registered
// before it first loaded.
void BindDialogFunctions(WebDialog dialog);
