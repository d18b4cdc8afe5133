#include "controls/Label.h"

#include "model/ValueParser.h"
#include "model/WindowModel.h"
#include "render/Canvas.h"
#include "render/ControlPaint.h"
#include "render/FontEntry.h"

namespace ui {
namespace {

constexpr Color kDefaultTextColor = 0xFF000000;

// "center" but not "vcenter", which is the vertical alignment.
bool HasHorizontalCenter(std::wstring_view value) {
  for (size_t at = value.find(L"center"); at != std::wstring_view::npos; at = value.find(L"center", at + 1)) {
    if (at == 0 || value[at - 1] != L'v') return true;
  }
  return false;
}

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

}  // namespace

void* CLabelUI::InterfaceFor(std::wstring_view name) {
  if (name == L"Label") return this;
  return CControlUI::InterfaceFor(name);
}

void CLabelUI::SetTextPadding(const Rect& padding) {
  textPadding_ = padding;
  NeedUpdate();
}

bool CLabelUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  int n = 0;
  Rect r;
  Color c = 0;
  if (name == L"font") {
    if (ParseInt(value, n) && n >= -1) SetFont(n);
  } else if (name == L"textcolor") {
    if (ParseColor(value, c)) SetTextColor(c);
  } else if (name == L"textpadding") {
    if (ParseRect(value, r)) SetTextPadding(r);
  } else if (name == L"align") {
    if (value.find(L"left") != std::wstring_view::npos) align_ = TextAlign::Left;
    if (HasHorizontalCenter(value)) align_ = TextAlign::Center;
    if (value.find(L"right") != std::wstring_view::npos) align_ = TextAlign::Right;
  } else if (name == L"endellipsis") {
    SetEndEllipsis(ParseSwitch(value));
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  return true;
}

void CLabelUI::PaintText(Canvas& canvas, unsigned style) {
  const std::wstring text = GetText();
  if (text.empty() || GetManager() == nullptr) return;
  const FontEntry* font = GetFontEntry(*GetManager(), font_);
  const Color color = textColor_ != 0 ? textColor_ : kDefaultTextColor;
  style |= AlignStyle(align_);
  if (endEllipsis_) style |= kTextEndEllipsis;
  Rect area = Deflate(GetPos(), textPadding_);
  Canvas::ClipScope clip(canvas, GetPos());
  canvas.PaintText(text, area, font, color, style);
}

void CLabelUI::DoPaint(Canvas& canvas) {
  PaintBackground(*this, canvas);
  PaintText(canvas, kTextSingleLine | kTextVCenter);
  PaintBorder(*this, canvas);
}

}  // namespace ui
