#include "PaintManager.h"

#include "ValueParser.h"

namespace ui {

PaintManager::PaintManager(const SkinPackage& package) : package_(package), images_(package) {}

PaintManager::~PaintManager() = default;

bool PaintManager::SetWindowAttribute(std::wstring_view name, std::wstring_view value) {
  WindowAttributes& w = windowAttributes_;
  if (name == L"size") {
    Size s;
    if (!ParseSize(value, s) || s.cx < 0 || s.cy < 0) return true;
    w.size = s;
    if (window_ != nullptr && IsWindow(window_)) {
      SetWindowPos(window_, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } else if (name == L"caption") {
    if (ParseRect(value, w.caption)) w.hasCaption = true;
  } else if (name == L"sizebox") {
    ParseRect(value, w.sizeBox);
  } else if (name == L"roundcorner") {
    ParseSize(value, w.roundCorner);
  } else if (name == L"mininfo") {
    ParseSize(value, w.minInfo);
  } else if (name == L"maxinfo") {
    ParseSize(value, w.maxInfo);
  } else if (name == L"bktrans") {
    w.bkTrans = ParseSwitch(value);
  } else if (name == L"gdiplustext") {
    w.gdiplusText = ParseSwitch(value);
  } else if (name == L"showshadow") {
    w.showShadow = ParseSwitch(value);
  } else if (name == L"shadowsize") {
    int n = 0;
    if (ParseInt(value, n) && n >= 0) w.shadowSize = n;
  } else {
    return false;
  }
  return true;
}

int PaintManager::AddFont(const FontInfo& font, bool makeDefault) {
  fonts_.push_back(font);
  int index = static_cast<int>(fonts_.size()) - 1;
  if (makeDefault || defaultFont_ < 0) defaultFont_ = index;
  return index;
}

const FontInfo* PaintManager::GetFont(int index) const {
  if (index >= 0 && index < GetFontCount()) return &fonts_[static_cast<size_t>(index)];
  if (defaultFont_ >= 0) return &fonts_[static_cast<size_t>(defaultFont_)];
  return nullptr;
}

void PaintManager::AddDefaultAttributeList(std::wstring_view elementName, std::wstring_view list) {
  std::wstring key = ToLowerAscii(elementName);
  for (auto& entry : defaults_) {
    if (entry.first == key) {
      entry.second.assign(list);
      return;
    }
  }
  defaults_.emplace_back(std::move(key), std::wstring(list));
}

const std::wstring* PaintManager::GetDefaultAttributeList(std::wstring_view elementName) const {
  std::wstring key = ToLowerAscii(elementName);
  for (const auto& entry : defaults_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

ImagePtr PaintManager::GetImage(std::wstring_view path) { return images_.Get(path); }

bool PaintManager::AttachRoot(std::unique_ptr<CControlUI> root) {
  if (!root) return false;
  if (root_) ReleaseControl(root_.get());
  root_ = std::move(root);
  InitControls(root_.get(), nullptr);
  NeedUpdate();
  return true;
}

CControlUI* PaintManager::FindControl(std::wstring_view name) const {
  if (name.empty()) return nullptr;
  CControlUI* found = nullptr;
  VisitTree(root_.get(), [&](CControlUI* c) {
    if (found == nullptr && c->GetName() == name) found = c;
  });
  return found;
}

void PaintManager::InitControls(CControlUI* control, CControlUI* parent) {
  if (control == nullptr) return;
  control->SetManager(this, parent);
  if (!IsAttached()) return;
  VisitTree(control, [](CControlUI* c) { c->OnAttach(); });
}

void PaintManager::ReleaseControl(CControlUI* control) {
  VisitTree(control, [this](CControlUI* c) {
    if (focus_ == c) focus_ = nullptr;
  });
}

void PaintManager::LayoutRoot(const Rect& client) {
  needUpdate_ = false;
  if (root_) root_->SetPos(client);
}

}  // namespace ui
