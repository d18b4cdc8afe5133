#include "model/Control.h"

#include "model/UiEvent.h"
#include "model/ValueParser.h"
#include "model/WindowModel.h"

namespace ui {

void* CControlUI::InterfaceFor(std::wstring_view name) {
  if (name == L"Control") return this;
  return nullptr;
}

void CControlUI::SetText(const std::wstring& text) {
  text_ = text;
  Invalidate();
}

void CControlUI::SetFixedWidth(int width) {
  if (width < 0 || !IsLength(width)) return;
  fixedWidth_ = width;
  NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int height) {
  if (height < 0 || !IsLength(height)) return;
  fixedHeight_ = height;
  NeedParentUpdate();
}

void CControlUI::SetPadding(const Rect& padding) {
  if (!IsLength(padding)) return;
  padding_ = padding;
  NeedParentUpdate();
}

Size CControlUI::EstimateSize(Size) const { return Size{fixedWidth_, fixedHeight_}; }

void CControlUI::SetPos(const Rect& pos) {
  pos_ = ClampCoordinates(pos.left, pos.top, pos.right, pos.bottom);
}

void CControlUI::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  NeedParentUpdate();
}

void CControlUI::SetInnerVisible(bool visible) { innerVisible_ = visible; }

void CControlUI::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Invalidate();
}

void CControlUI::SetBkImage(const std::wstring& descriptor) {
  bkImageText_ = descriptor;
  bkImage_ = ParseImageDescriptor(descriptor);
  Invalidate();
}

bool CControlUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  int n = 0;
  Rect r;
  Color c = 0;
  if (name == L"name") {
    SetName(std::wstring(value));
  } else if (name == L"text") {
    SetText(std::wstring(value));
  } else if (name == L"width") {
    if (ParseInt(value, n)) SetFixedWidth(n);
  } else if (name == L"height") {
    if (ParseInt(value, n)) SetFixedHeight(n);
  } else if (name == L"padding") {
    if (ParseRect(value, r)) SetPadding(r);
  } else if (name == L"bkcolor") {
    if (ParseColor(value, c)) SetBkColor(c);
  } else if (name == L"bkimage") {
    SetBkImage(std::wstring(value));
  } else if (name == L"bordersize") {
    if (ParseRect(value, r)) {
      if (IsLength(r)) borderSize_ = r;
    } else if (ParseInt(value, n) && n >= 0 && IsLength(n)) {
      borderSize_ = Rect{n, n, n, n};
    }
  } else if (name == L"bordercolor") {
    if (ParseColor(value, c)) borderColor_ = c;
  } else if (name == L"visible") {
    SetVisible(ParseSwitch(value));
  } else if (name == L"enabled") {
    SetEnabled(ParseSwitch(value));
  } else if (name == L"mouse") {
    SetMouseEnabled(ParseSwitch(value));
  } else if (name == L"keyboard") {
    SetKeyboardEnabled(ParseSwitch(value));
  } else if (name == L"menu") {
    SetContextMenuEnabled(ParseSwitch(value));
  } else {
    return false;
  }
  return true;
}

void CControlUI::ApplyAttributeList(std::wstring_view list) {
  for (const auto& [name, value] : ParseAttributeList(list)) SetAttribute(name, value);
}

void CControlUI::SetManager(WindowModel* manager, CControlUI* parent) {
  manager_ = manager;
  parent_ = parent;
}

void CControlUI::Focus() {
  if (manager_ != nullptr) manager_->SetFocus(this);
}

void CControlUI::CollectImages(std::vector<const ImageDescriptor*>& out) const {
  if (!bkImage_.Empty()) out.push_back(&bkImage_);
}

void CControlUI::DoPaint(Canvas& canvas) {
  if (manager_ != nullptr) manager_->PaintControl(*this, canvas);
}

void CControlUI::Invalidate() {
  if (manager_ != nullptr) manager_->Invalidate(pos_);
}

void CControlUI::OnEvent(UiEvent& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      if (manager_ != nullptr) manager_->ShowArrowCursor();
      return;
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
      Invalidate();
      return;
    case UIEVENT_TIMER:
      if (manager_ != nullptr) manager_->SendNotify(this, L"timer", event.wParam, event.lParam);
      return;
    case UIEVENT_CONTEXTMENU:
      if (manager_ != nullptr && contextMenuEnabled_) {
        manager_->SendNotify(this, L"menu", event.wParam, event.lParam);
      }
      return;
    default:
      if (parent_ != nullptr) parent_->OnEvent(event);
      return;
  }
}

void CControlUI::NeedUpdate() {
  if (manager_ != nullptr) manager_->NeedUpdate();
}

void CControlUI::NeedParentUpdate() { NeedUpdate(); }

}  // namespace ui
