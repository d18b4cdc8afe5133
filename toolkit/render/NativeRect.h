#pragma once
// The toolkit's rectangles to and from the system's RECT.
#include <windows.h>

#include "model/UiTypes.h"

namespace ui {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace ui
