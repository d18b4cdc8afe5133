#include "model/Container.h"

#include "model/WindowModel.h"
#include "model/ValueParser.h"

namespace ui {

void* CContainerUI::InterfaceFor(std::wstring_view name) {
  if (name == L"IContainer") return static_cast<IContainer*>(this);
  if (name == L"Container") return this;
  return CControlUI::InterfaceFor(name);
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

int CContainerUI::GetItemIndex(const CControlUI* control) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == control) return static_cast<int>(i);
  }
  return -1;
}

bool CContainerUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CContainerUI::AddAt(CControlUI* control, int index) {
  std::unique_ptr<CControlUI> owned(control);
  if (control == nullptr || control == this || index < 0 || index > GetCount()) return false;
  items_.insert(items_.begin() + index, std::move(owned));
  Adopt(control);
  return true;
}

void CContainerUI::Adopt(CControlUI* control) {
  control->SetInnerVisible(IsVisible());
  if (GetManager() != nullptr) {
    GetManager()->InitControls(control, this);
  } else {
    control->SetManager(nullptr, this);
  }
  NeedUpdate();
}

bool CContainerUI::Remove(CControlUI* control) {
  int index = GetItemIndex(control);
  if (index < 0) return false;
  if (GetManager() != nullptr) GetManager()->ReleaseControl(control);
  items_.erase(items_.begin() + index);
  NeedUpdate();
  return true;
}

void CContainerUI::RemoveAll() {
  while (!items_.empty()) Remove(items_.back().get());
}

void CContainerUI::SetInset(const Rect& inset) {
  if (!IsLength(inset)) return;
  inset_ = inset;
  NeedUpdate();
}

Rect CContainerUI::InnerRect() const {
  const Rect& pos = GetPos();
  Rect inner{pos.left + inset_.left, pos.top + inset_.top, pos.right - inset_.right,
             pos.bottom - inset_.bottom};
  if (inner.right < inner.left) inner.right = inner.left;
  if (inner.bottom < inner.top) inner.bottom = inner.top;
  return inner;
}

void CContainerUI::SetPos(const Rect& pos) {
  CControlUI::SetPos(pos);
  Rect inner = InnerRect();
  for (auto& item : items_) {
    if (!item->IsOwnVisible()) continue;
    const Rect& pad = item->GetPadding();
    item->SetPos(
        Rect{inner.left + pad.left, inner.top + pad.top, inner.right - pad.right, inner.bottom - pad.bottom});
  }
}

void CContainerUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  for (auto& item : items_) item->SetInnerVisible(IsVisible());
}

void CContainerUI::SetInnerVisible(bool visible) {
  CControlUI::SetInnerVisible(visible);
  for (auto& item : items_) item->SetInnerVisible(IsVisible());
}

bool CContainerUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"inset") {
    Rect r;
    if (ParseRect(value, r)) SetInset(r);
    return true;
  }
  return CControlUI::SetAttribute(name, value);
}

void CContainerUI::SetManager(WindowModel* manager, CControlUI* parent) {
  CControlUI::SetManager(manager, parent);
  for (auto& item : items_) item->SetManager(manager, this);
}

}  // namespace ui
