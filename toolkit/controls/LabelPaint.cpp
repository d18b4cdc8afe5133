// Painting of labels, wrapping texts and buttons, and the button's input.
#include "ControlPaint.h"
#include "Label.h"
#include "PaintManager.h"
#include "UiEvent.h"

namespace ui {
namespace {

constexpr Color kDefaultTextColor = 0xFF000000;

unsigned AlignStyle(TextAlign align) {
  switch (align) {
    case TextAlign::Center:
      return kTextCenter;
    case TextAlign::Right:
      return kTextRight;
    default:
      return kTextLeft;
  }
}

void PaintLabelText(CLabelUI& label, Canvas& canvas, unsigned style) {
  const std::wstring text = label.GetText();
  if (text.empty() || label.GetManager() == nullptr) return;
  const FontEntry* font = label.GetManager()->GetFontEntry(label.GetFont());
  const Color color = label.GetTextColor() != 0 ? label.GetTextColor() : kDefaultTextColor;
  style |= AlignStyle(label.GetAlign());
  if (label.IsEndEllipsis()) style |= kTextEndEllipsis;
  Rect area = Deflate(label.GetPos(), label.GetTextPadding());
  Canvas::ClipScope clip(canvas, label.GetPos());
  canvas.PaintText(text, area, font, color, style);
}

}  // namespace

void CLabelUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  PaintLabelText(*this, canvas, kTextSingleLine | kTextVCenter);
  PaintBorder(*this, canvas);
}

void CTextUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  PaintLabelText(*this, canvas, kTextWrap | kTextVCenter);
  PaintBorder(*this, canvas);
}

void CButtonUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  const ImageDescriptor* state = &normalImage_;
  if (pushed_ && hot_ && !pushedImage_.Empty()) {
    state = &pushedImage_;
  } else if (hot_ && !hotImage_.Empty()) {
    state = &hotImage_;
  }
  PaintImage(*this, canvas, *state);
  PaintLabelText(*this, canvas, kTextSingleLine | kTextVCenter);
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
      const bool click = pushed_ && PointIn(GetPos(), event.ptMouse);
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
