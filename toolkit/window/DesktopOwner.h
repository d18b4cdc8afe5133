#pragma once
#include <windows.h>

namespace ui {

// Gives a window the desktop as its owner, so that it stays with the desktop (it is not hidden
// with the other windows by "show desktop"): the owner becomes the shell's "SHELLDLL_DefView"
// child of the "Progman" window titled "Program Manager", or that window itself when it has no
// such child. Without a "Progman" window nothing changes.
void SetDesktopOwner(HWND window);

}  // namespace ui

// The client's windows call it by its plain name.
using ui::SetDesktopOwner;
