#pragma once
// The pieces every control's painting is made of.
#include <windows.h>

#include "model/Control.h"
#include "render/Canvas.h"
#include "render/ImageData.h"

namespace ui {

// A decoded image for a control (through its window's package), or null.
ImagePtr ControlImage(const CControlUI& control, std::wstring_view path);
// Background colour and background image.
void PaintBackground(CControlUI& control, Canvas& canvas);
// An image descriptor drawn over the control's rectangle (nothing when missing or undecodable).
void PaintImage(CControlUI& control, Canvas& canvas, const ImageDescriptor& image, size_t frame = 0);
void PaintBorder(CControlUI& control, Canvas& canvas);
// The visible children that meet the canvas's clip, each clipped to its own rectangle.
void PaintChildren(CControlUI& control, Canvas& canvas);
// The look of a control without one of its own: background, children, border.
void PaintPlainControl(CControlUI& control, Canvas& canvas);
// A rectangle less a margin on each side.
Rect Deflate(const Rect& r, const Rect& margin);
bool PointIn(const Rect& r, POINT p);

}  // namespace ui
