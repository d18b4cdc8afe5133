#pragma once
// The pieces every control's painting is made of.
#include "Canvas.h"
#include "Control.h"

namespace ui {

// Background colour and background image.
void PaintBackground(CControlUI& control, Canvas& canvas);
// An image descriptor drawn over the control's rectangle (nothing when missing or undecodable).
void PaintImage(CControlUI& control, Canvas& canvas, const ImageDescriptor& image, size_t frame = 0);
void PaintBorder(CControlUI& control, Canvas& canvas);
// The visible children that meet the canvas's clip, each clipped to its own rectangle.
void PaintChildren(CControlUI& control, Canvas& canvas);
// A rectangle less a margin on each side.
Rect Deflate(const Rect& r, const Rect& margin);
bool PointIn(const Rect& r, POINT p);

}  // namespace ui
