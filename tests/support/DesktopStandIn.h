#pragma once
// A stand-in of the shell's desktop as the client looks for it: a "Progman" window titled
// "Program Manager", with or without its "SHELLDLL_DefView" child. Wine runs no such windows of
// its own by default, so tests that check the desktop as owner create these. They stay hidden:
// shown, the stand-in would be a window like any other and could lie above the windows it owns.
#include <windows.h>

#include "OwnedHandle.h"

namespace testsupport {

// Registers a plain window class (DefWindowProcW) of this module; a class already registered
// counts as success.
bool RegisterPlainClass(const wchar_t* name);

struct DesktopStandIn {
  explicit DesktopStandIn(bool withView = true);
  // True when a "Program Manager" lookup finds this stand-in (another desktop could be found
  // first).
  bool IsTheDesktop() const;
  UniqueWindow progman;
  UniqueWindow view;  // empty without the view
};

}  // namespace testsupport
