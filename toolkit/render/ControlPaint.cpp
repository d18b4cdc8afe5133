#include "render/ControlPaint.h"

#include "model/WindowModel.h"

namespace ui {

Rect Deflate(const Rect& r, const Rect& m) {
  return Rect{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
}

bool PointIn(const Rect& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

ImagePtr ControlImage(const CControlUI& control, std::wstring_view path) {
  if (path.empty() || control.GetManager() == nullptr) return nullptr;
  return LoadSkinImage(control.GetManager()->GetPackage(), path);
}

void PaintImage(CControlUI& control, Canvas& canvas, const ImageDescriptor& image, size_t frame) {
  if (image.Empty()) return;
  ImagePtr data = ControlImage(control, image.file);
  if (data) canvas.DrawImage(*data, image, control.GetPos(), frame < data->frames.size() ? frame : 0);
}

void PaintBackground(CControlUI& control, Canvas& canvas) {
  canvas.FillRect(control.GetPos(), control.GetBkColor());
  PaintImage(control, canvas, control.GetBkImage());
}

void PaintBorder(CControlUI& control, Canvas& canvas) {
  const Rect& widths = control.GetBorderSize();
  if (widths.left == 0 && widths.top == 0 && widths.right == 0 && widths.bottom == 0) return;
  canvas.DrawBorder(control.GetPos(), widths, control.GetBorderColor());
}

void PaintChildren(CControlUI& control, Canvas& canvas) {
  for (int i = 0; i < control.GetChildCount(); ++i) {
    CControlUI* child = control.GetChildAt(i);
    if (child == nullptr || !child->IsVisible()) continue;
    const Rect& pos = child->GetPos();
    const Rect& clip = canvas.Clip();
    if (pos.IsEmpty() || pos.right <= clip.left || pos.left >= clip.right || pos.bottom <= clip.top ||
        pos.top >= clip.bottom) {
      continue;
    }
    Canvas::ClipScope scope(canvas, pos);
    child->DoPaint(canvas);
  }
}

void PaintPlainControl(CControlUI& control, Canvas& canvas) {
  PaintBackground(control, canvas);
  PaintChildren(control, canvas);
  PaintBorder(control, canvas);
}

}  // namespace ui
