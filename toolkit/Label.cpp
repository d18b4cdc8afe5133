#include "Label.h"

#include "ValueParser.h"

namespace ui {
namespace {

// "center" but not "vcenter", which is the vertical alignment.
bool HasHorizontalCenter(std::wstring_view value) {
  for (size_t at = value.find(L"center"); at != std::wstring_view::npos; at = value.find(L"center", at + 1)) {
    if (at == 0 || value[at - 1] != L'v') return true;
  }
  return false;
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

void* CTextUI::InterfaceFor(std::wstring_view name) {
  if (name == L"Text") return this;
  return CLabelUI::InterfaceFor(name);
}

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

void* CRichEditUI::InterfaceFor(std::wstring_view name) {
  if (name == L"RichEdit") return this;
  return CLabelUI::InterfaceFor(name);
}

bool CRichEditUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"tipvalue") {
    SetTipValue(std::wstring(value));
  } else if (name == L"tipvaluecolor") {
    Color c = 0;
    if (ParseColor(value, c)) SetTipValueColor(c);
  } else {
    return CLabelUI::SetAttribute(name, value);
  }
  return true;
}

}  // namespace ui
