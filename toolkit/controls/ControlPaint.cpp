#include "ControlPaint.h"

#include "PaintManager.h"
#include "UiEvent.h"

namespace ui {

Rect Deflate(const Rect& r, const Rect& m) {
  return Rect{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
}

bool PointIn(const Rect& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void PaintImage(CControlUI& control, Canvas& canvas, const ImageDescriptor& image, size_t frame) {
  if (image.Empty() || control.GetManager() == nullptr) return;
  ImagePtr data = control.GetManager()->GetImage(image.file);
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

void CControlUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  PaintChildren(*this, canvas);
  PaintBorder(*this, canvas);
}

void CControlUI::Invalidate() {
  if (GetManager() != nullptr) GetManager()->Invalidate(GetPos());
}

void CControlUI::OnEvent(UiEvent& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      return;
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
      Invalidate();
      return;
    case UIEVENT_TIMER:
      if (GetManager() != nullptr) GetManager()->SendNotify(this, L"timer", event.wParam, event.lParam);
      return;
    case UIEVENT_CONTEXTMENU:
      if (GetManager() != nullptr) GetManager()->SendNotify(this, L"menu", event.wParam, event.lParam);
      return;
    default:
      if (GetParent() != nullptr) GetParent()->OnEvent(event);
      return;
  }
}

}  // namespace ui
