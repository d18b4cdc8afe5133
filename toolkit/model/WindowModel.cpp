#include "model/WindowModel.h"

#include "model/ControlFactory.h"
#include "model/ValueParser.h"

namespace ui {

WindowModel::WindowModel(const SkinPackage& package) : package_(package) {}

WindowModel::~WindowModel() = default;

bool WindowModel::SetWindowAttribute(std::wstring_view name, std::wstring_view value) {
  WindowAttributes& w = windowAttributes_;
  if (name == L"size") {
    Size s;
    if (!ParseSize(value, s) || s.cx < 0 || s.cy < 0) return true;
    w.size = s;
    ApplyWindowSize(s);
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

int WindowModel::AddFont(const FontInfo& font, bool makeDefault) {
  fonts_.push_back(font);
  int index = static_cast<int>(fonts_.size()) - 1;
  if (makeDefault || defaultFont_ < 0) defaultFont_ = index;
  return index;
}

const FontInfo* WindowModel::GetFont(int index) const {
  if (index >= 0 && index < GetFontCount()) return &fonts_[static_cast<size_t>(index)];
  if (defaultFont_ >= 0) return &fonts_[static_cast<size_t>(defaultFont_)];
  return nullptr;
}

void WindowModel::AddDefaultAttributeList(std::wstring_view elementName, std::wstring_view list) {
  std::wstring key = ToLowerAscii(elementName);
  for (auto& entry : defaults_) {
    if (entry.first == key) {
      entry.second.assign(list);
      return;
    }
  }
  defaults_.emplace_back(std::move(key), std::wstring(list));
}

const std::wstring* WindowModel::GetDefaultAttributeList(std::wstring_view elementName) const {
  std::wstring key = ToLowerAscii(elementName);
  for (const auto& entry : defaults_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

bool WindowModel::AttachRoot(std::unique_ptr<CControlUI> root) {
  if (!root) return false;
  if (root_) ReleaseControl(root_.get());
  root_ = std::move(root);
  InitControls(root_.get(), nullptr);
  NeedUpdate();
  return true;
}

CControlUI* WindowModel::FindControl(std::wstring_view name) const {
  if (name.empty()) return nullptr;
  CControlUI* found = nullptr;
  VisitTree(root_.get(), [&](CControlUI* c) {
    if (found == nullptr && c->GetName() == name) found = c;
  });
  return found;
}

void WindowModel::InitControls(CControlUI* control, CControlUI* parent) {
  if (control == nullptr) return;
  control->SetManager(this, parent);
  if (!IsAttached()) return;
  VisitTree(control, [](CControlUI* c) { c->OnAttach(); });
}

void WindowModel::ReleaseControl(CControlUI* control) {
  VisitTree(control, [this](CControlUI* c) {
    if (focus_ == c) focus_ = nullptr;
  });
  ForgetWindowRefs(control);
}

void WindowModel::NeedUpdate() { needUpdate_ = true; }

void WindowModel::LayoutRoot(const Rect& client) {
  needUpdate_ = false;
  if (root_) root_->SetPos(client);
}

std::unique_ptr<CControlUI> WindowModel::CreateControl(std::wstring_view elementName) {
  return CreateToolkitControl(elementName);
}

void WindowModel::PreloadImage(std::wstring_view) {}
void WindowModel::ApplyWindowSize(Size) {}
void WindowModel::SetFocus(CControlUI* control) { focus_ = control; }
void WindowModel::Invalidate(const Rect&) {}
void WindowModel::SendNotify(CControlUI*, const wchar_t*, WPARAM, LPARAM) {}
bool WindowModel::SetTimer(CControlUI*, UINT, UINT) { return false; }
bool WindowModel::KillTimer(CControlUI*, UINT) { return false; }
void WindowModel::KillTimers(CControlUI*) {}
bool WindowModel::SetCaretTimer(UINT) { return false; }
void WindowModel::KillCaretTimer() {}
void WindowModel::ShowArrowCursor() {}
void WindowModel::PaintControl(CControlUI&, Canvas&) {}
void WindowModel::ForgetWindowRefs(CControlUI*) {}

}  // namespace ui
