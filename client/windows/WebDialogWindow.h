#pragma once
// The three web dialogs in one template: a borderless window that shows one service page and
// is driven by the page's script (close, minimise, maximise, restore, dragging by the page's
// caption). Until the page's document is first ready it shows a loading animation instead.
// Each dialog is described by a traits type (see CallDialog.h, LeaveDialog.h, SongDialog.h).
#include <windows.h>

#include <string>

#include "ClientMessages.h"
#include "PageAddress.h"
#include "ScriptBridge.h"
#include "WebEngine.h"
#include "WindowTimers.h"
#include "window/DesktopOwner.h"
#include "window/WindowImplBase.h"

template <typename Traits>
class WebDialogWindow : public ui::WindowImplBase {
 public:
  using View = typename Traits::View;

  LPCWSTR WindowClassName() const override { return Traits::kClassName; }
  ~WebDialogWindow() override = default;
  void OnInit() override;
  LPCWSTR SkinFile() override { return Traits::kSkinFile; }
  LRESULT OnCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  ui::CControlUI* CreateCustomControl(const wchar_t* elementName) override {
    return View::CreateFor(elementName);
  }

  virtual void PlaceCentred(int width, int height);
  virtual void OnCaptionDown();
  virtual void OnCaptionUp() {}
  virtual void OnCaptionMove();
  virtual void ShowPage();
  virtual void BindPageFunctions() { BindDialogFunctions(Traits::kBridge); }
  virtual std::string PageAddress() { return BuildServiceUrl(Traits::kPage); }

  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  static void __cdecl OnLaterPageReady(wkeWebView view, void* param);

  View* view_ = nullptr;
  ui::CControlUI* loadLayout_ = nullptr;
  ui::CControlUI* webLayout_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  POINT dragStart_{};
  POINT dragCursor_{};
  RECT dragRect_{};
  int dragWidth_ = 0;
  int dragHeight_ = 0;
  // Windows made for this dialog so far: more than one after the system closed an earlier one.
  int windowsMade_ = 0;
};

template <typename Traits>
void WebDialogWindow<Traits>::OnInit() {
  ++windowsMade_;
  Traits::Handle() = hwnd_;
  PlaceCentred(Traits::kWidth, Traits::kHeight);
  ::SetTimer(hwnd_, TIMER_DESKTOP_OWNER, 100, nullptr);

  ui::PaintManager& manager = GetPaintManager();
  ui::CControlUI* control = manager.FindControl(L"ie");
  view_ = control != nullptr ? static_cast<View*>(control->InterfaceFor(Traits::kViewClass)) : nullptr;
  if (view_ != nullptr) {
    BindPageFunctions();
    const std::string address = PageAddress();
    if (!address.empty()) {
      // The view class sends its ready notice once per process: a window made again after the
      // system closed the first one listens for its own page instead.
      if (windowsMade_ > 1 && view_->EngineView() != nullptr) {
        WkeCall(wkeOnDocumentReady, view_->EngineView(), &WebDialogWindow::OnLaterPageReady,
                static_cast<void*>(this));
      }
      view_->LoadUrl(address);
    }
  }

  loadLayout_ = manager.FindControl(L"Layout_load");
  webLayout_ = manager.FindControl(L"Layout_web");
  if (loadLayout_ != nullptr && webLayout_ != nullptr) {
    loadLayout_->SetVisible(true);
    webLayout_->SetVisible(false);
  }
}

template <typename Traits>
void __cdecl WebDialogWindow<Traits>::OnLaterPageReady(wkeWebView view, void* param) {
  WkeCall(wkeOnDocumentReady, view, nullptr, nullptr);
  auto* dialog = static_cast<WebDialogWindow*>(param);
  if (dialog->hwnd_ != nullptr) PostMessageW(dialog->hwnd_, WM_DLG_PAGE_READY, 0, 0);
}

template <typename Traits>
LRESULT WebDialogWindow<Traits>::OnCustomMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) {
  handled = true;
  switch (msg) {
    case WM_TIMER:
      // Only the dialog's own timer: the others belong to its controls (the loading animation).
      if (wParam != TIMER_DESKTOP_OWNER) break;
      ::KillTimer(hwnd_, wParam);
      SetDesktopOwner(hwnd_);
      return 0;
    case WM_DLG_CAPTION_DOWN:
      OnCaptionDown();
      return 0;
    case WM_DLG_CAPTION_MOVE:
      OnCaptionMove();
      return 0;
    case WM_DLG_CAPTION_UP:
      OnCaptionUp();
      return 0;
    case WM_DLG_CLOSE:
      Show(false, true);
      return 0;
    case WM_DLG_PAGE_READY:
      ShowPage();
      return 0;
    default:
      break;
  }
  handled = false;
  return 0;
}

template <typename Traits>
void WebDialogWindow<Traits>::PlaceCentred(int width, int height) {
  width_ = width;
  height_ = height;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int x = (work.right - work.left - width) / 2;
  const int y = (work.bottom - work.top - height) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

template <typename Traits>
void WebDialogWindow<Traits>::OnCaptionDown() {
  GetCursorPos(&dragStart_);
  GetWindowRect(hwnd_, &dragRect_);
  dragWidth_ = dragRect_.right - dragRect_.left;
  dragHeight_ = dragRect_.bottom - dragRect_.top;
}

template <typename Traits>
void WebDialogWindow<Traits>::OnCaptionMove() {
  // A step without a start would size the window to nothing.
  if (dragWidth_ == 0 && dragHeight_ == 0) return;
  GetCursorPos(&dragCursor_);
  MoveWindow(hwnd_, dragRect_.left + dragCursor_.x - dragStart_.x,
             dragRect_.top + dragCursor_.y - dragStart_.y, dragWidth_, dragHeight_, TRUE);
}

template <typename Traits>
void WebDialogWindow<Traits>::ShowPage() {
  if (loadLayout_ != nullptr) loadLayout_->SetVisible(false);
  if (webLayout_ != nullptr) webLayout_->SetVisible(true);
  if (view_ != nullptr) view_->SetVisible(true);
}
