#pragma once
#include <windows.h>

namespace ui {

// Starts GDI+ for the process on first use; it stays started until the process ends, because
// decoded images and fonts may be used by any window until then.
bool EnsureGdiplus();

}  // namespace ui
