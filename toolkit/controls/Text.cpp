#include "controls/Text.h"

#include "render/Canvas.h"
#include "render/ControlPaint.h"

namespace ui {

void* CTextUI::InterfaceFor(std::wstring_view name) {
  if (name == L"Text") return this;
  return CLabelUI::InterfaceFor(name);
}

void CTextUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  PaintText(canvas, kTextWrap | kTextVCenter);
  PaintBorder(*this, canvas);
}

}  // namespace ui
