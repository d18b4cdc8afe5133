#include "controls/Button.h"

#include "model/UiEvent.h"
#include "model/WindowModel.h"
#include "render/Canvas.h"
#include "render/ControlPaint.h"

namespace ui {

void* CButtonUI::InterfaceFor(std::wstring_view name) {
  if (name == L"Button") return this;
  return CLabelUI::InterfaceFor(name);
}

bool CButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"normalimage") {
    SetNormalImage(std::wstring(value));
  } else if (name == L"hotimage") {
    SetHotImage(std::wstring(value));
  } else if (name == L"pushedimage") {
    SetPushedImage(std::wstring(value));
  } else {
    return CLabelUI::SetAttribute(name, value);
  }
  return true;
}

void CButtonUI::CollectImages(std::vector<const ImageDescriptor*>& out) const {
  CLabelUI::CollectImages(out);
  for (const ImageDescriptor* d : {&normalImage_, &hotImage_, &pushedImage_}) {
    if (!d->Empty()) out.push_back(d);
  }
}

void CButtonUI::SetEnabled(bool enabled) {
  // A button disabled while pressed or hovered would otherwise keep that look.
  if (!enabled) hot_ = pushed_ = false;
  CLabelUI::SetEnabled(enabled);
}

const ImageDescriptor& CButtonUI::CurrentStateImage() const {
  if (pushed_ && hot_ && !pushedImage_.Empty()) return pushedImage_;
  if (hot_ && !hotImage_.Empty()) return hotImage_;
  return normalImage_;
}

void CButtonUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  PaintImage(*this, canvas, CurrentStateImage());
  PaintText(canvas, kTextSingleLine | kTextVCenter);
  PaintBorder(*this, canvas);
}

void CButtonUI::OnEvent(UiEvent& event) {
  switch (event.Type) {
    case UIEVENT_MOUSEENTER:
      hot_ = true;
      Invalidate();
      return;
    case UIEVENT_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      pushed_ = true;
      hot_ = true;
      Invalidate();
      return;
    case UIEVENT_MOUSEMOVE:
      if (pushed_) {
        bool inside = PointIn(GetPos(), event.ptMouse);
        if (inside != hot_) {
          hot_ = inside;
          Invalidate();
        }
      }
      return;
    case UIEVENT_BUTTONUP: {
      const bool click = pushed_ && IsEnabled() && PointIn(GetPos(), event.ptMouse);
      pushed_ = false;
      hot_ = PointIn(GetPos(), event.ptMouse);
      Invalidate();
      // Last: a click handler may close the window and free this control.
      if (click && GetManager() != nullptr) GetManager()->SendNotify(this, L"click");
      return;
    }
    default:
      CLabelUI::OnEvent(event);
      return;
  }
}

}  // namespace ui
