#include "GifAnim.h"

#include "PaintManager.h"
#include "ValueParser.h"

namespace ui {

void* CGifAnimUI::InterfaceFor(std::wstring_view name) {
  if (name == L"GifAnim") return this;
  return CControlUI::InterfaceFor(name);
}

void CGifAnimUI::SetAutoSize(bool on) {
  autoSize_ = on;
  NeedParentUpdate();
}

bool CGifAnimUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"autoplay") {
    SetAutoPlay(ParseSwitch(value));
  } else if (name == L"autosize") {
    SetAutoSize(ParseSwitch(value));
  } else {
    return CControlUI::SetAttribute(name, value);
  }
  return true;
}

Size CGifAnimUI::EstimateSize(Size available) const {
  if (autoSize_ && GetManager() != nullptr && !GetBkImage().Empty()) {
    ImagePtr image = GetManager()->GetImage(GetBkImage().file);
    if (image) return Size{image->width, image->height};
  }
  return CControlUI::EstimateSize(available);
}

}  // namespace ui
