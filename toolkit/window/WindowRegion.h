#pragma once
// The region a toolkit window clips itself to: one pixel wider and higher than the window, its
// corners rounded by the ellipse of the `roundcorner` attribute.
#include <windows.h>

#include "OwnedHandle.h"
#include "model/UiTypes.h"

namespace ui {

UniqueRegion MakeWindowRegion(int width, int height, Size roundCorner);
// Sets the region from the window's current size (nothing while it is minimised).
void ApplyWindowRegion(HWND hwnd, Size roundCorner);

}  // namespace ui
