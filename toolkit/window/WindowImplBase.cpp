#include "window/WindowImplBase.h"

#include <windowsx.h>

#include "model/LayoutBuilder.h"
#include "window/StartToolkit.h"
#include "model/ValueParser.h"
#include "window/WindowRegion.h"

namespace ui {
namespace {

const wchar_t* const kCaptionClasses[] = {
    L"controlui",        L"textui",      L"labelui",       L"containerui",    L"horizontallayoutui",
    L"verticallayoutui", L"tablayoutui", L"childlayoutui", L"dialoglayoutui", L"animationtablayoutui",
    L"tilelayoutui"};

bool CallIsCaptionControl(void* context, CControlUI* control) {
  return static_cast<WindowImplBase*>(context)->IsCaptionControl(control);
}

void ShowControl(PaintManager& manager, const wchar_t* name, bool show) {
  if (CControlUI* control = manager.FindControl(name)) control->SetVisible(show);
}

}  // namespace

bool IsCaptionClass(CControlUI* control) {
  if (control == nullptr) return false;
  for (CControlUI* c = control; c != nullptr; c = c->GetParent()) {
    const std::wstring name = ToLowerAscii(c->ClassName());
    bool listed = false;
    for (const wchar_t* allowed : kCaptionClasses) listed = listed || name == allowed;
    if (!listed) return false;
  }
  return true;
}

LRESULT CaptionHitTest(const PaintManager& manager, POINT pt, const RECT& client,
                       bool (*isCaption)(void* context, CControlUI* control), void* context) {
  const Rect& caption = manager.GetWindowAttributes().caption;
  if (pt.x < client.left + caption.left || pt.x >= client.right - caption.right) return HTCLIENT;
  const int bottom = caption.bottom == -1 ? client.bottom : caption.bottom;
  if (pt.y >= caption.top && pt.y < bottom) {
    CControlUI* control = manager.FindControl(pt);
    if (isCaption(context, control)) return HTCAPTION;
  }
  return HTCLIENT;
}

WindowImplBase::~WindowImplBase() {
  // The native window must not outlive the members its messages use.
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    paintManager_.ReleaseWindow();
    DestroyWindow(hwnd);
  }
}

void WindowImplBase::OnWindowDestroyed(HWND) {
  paintManager_.RemovePreMessageFilter(this);
  paintManager_.RemoveNotifier(this);
  paintManager_.ReleaseWindow();
}

void WindowImplBase::OnInit() {}

void WindowImplBase::OnClick(UiNotification& msg) {
  if (msg.pSender == nullptr) return;
  const std::wstring& name = msg.pSender->GetName();
  if (name == L"closebtn") {
    Close(1);
  } else if (name == L"minbtn") {
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == L"maxbtn") {
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (name == L"restorebtn") {
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

bool WindowImplBase::OnDefaultKey(WPARAM key) { return key == VK_ESCAPE; }

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, bool& handled) {
  if (IsIconic(hwnd_)) {
    handled = false;
    return 0;
  }
  return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM wParam, LPARAM lParam, bool&) {
  RECT* rect =
      wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  if (IsZoomed(hwnd_)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    *rect = monitor.rcWork;
  }
  return 0;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, bool&) { return 0; }

bool WindowImplBase::IsCaptionControl(CControlUI* control) { return IsCaptionClass(control); }

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool&) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(hwnd_, &pt);
  paintManager_.EnsureLayout();
  RECT client{};
  GetClientRect(hwnd_, &client);

  const Rect& box = paintManager_.GetWindowAttributes().sizeBox;
  if (!IsZoomed(hwnd_) && (box.left > 0 || box.top > 0 || box.right > 0 || box.bottom > 0)) {
    const bool top = pt.y < client.top + box.top;
    const bool bottom = pt.y >= client.bottom - box.bottom;
    const bool left = pt.x < client.left + box.left;
    const bool right = pt.x >= client.right - box.right;
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
  }
  return CaptionHitTest(paintManager_, pt, client, &CallIsCaptionControl, this);
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, bool& handled) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  info->ptMaxPosition.x = work.left - monitor.rcMonitor.left;
  info->ptMaxPosition.y = work.top - monitor.rcMonitor.top;
  info->ptMaxTrackSize.x = work.right - work.left;
  info->ptMaxTrackSize.y = work.bottom - work.top;
  info->ptMinTrackSize.x = paintManager_.GetWindowAttributes().minInfo.cx;
  info->ptMinTrackSize.y = paintManager_.GetWindowAttributes().minInfo.cy;
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& handled) {
  ApplyWindowRegion(hwnd_, paintManager_.GetWindowAttributes().roundCorner);
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if ((wParam & 0xFFF0) == SC_CLOSE) {
    // Sent, not posted: the modal loop never sees this WM_CLOSE, so ShowModal answers 0.
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    return 0;
  }
  const bool wasZoomed = IsZoomed(hwnd_) != FALSE;
  LRESULT result = DefWindowProcW(hwnd_, msg, wParam, lParam);
  const bool zoomed = hwnd_ != nullptr && IsZoomed(hwnd_) != FALSE;
  if (zoomed != wasZoomed && paintManager_.FindControl(L"maxbtn") != nullptr &&
      paintManager_.FindControl(L"restorebtn") != nullptr) {
    ShowControl(paintManager_, L"maxbtn", !zoomed);
    ShowControl(paintManager_, L"restorebtn", zoomed);
  }
  if ((wParam & 0xFFF0) == SC_RESTORE) handled = false;
  return result;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool&) {
  // 1. No system frame: the skin draws the whole window.
  RECT client{};
  GetClientRect(hwnd_, &client);
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME);
  style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  SetWindowPos(hwnd_, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  // 2. The manager, with this window's key filter.
  paintManager_.Init(hwnd_);
  paintManager_.AddPreMessageFilter(this);

  // 3. The tree from the layout file; without one the process cannot go on.
  LayoutBuilder builder;
  std::unique_ptr<CControlUI> root =
      builder.Build(SkinFile() != nullptr ? SkinFile() : L"", this, paintManager_);
  if (!root) FailToLoadSkin();

  // 4. Attach (every control gets OnAttach) and listen to the controls.
  paintManager_.AttachRoot(std::move(root));
  paintManager_.AddNotifier(this);
  paintManager_.InitWindowSide();
  // The `size` attribute came before `roundcorner`: clip again with the final values.
  ApplyWindowRegion(hwnd_, paintManager_.GetWindowAttributes().roundCorner);

  // 5. The window's own start.
  OnInit();
  return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnCustomMessage(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LONG WindowImplBase::WindowStyle() const {
  return static_cast<LONG>(GetWindowLongPtrW(hwnd_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION));
}

const std::vector<CNotifyPump::NotifyEntry>& WindowImplBase::NotifyMap() const {
  static const std::vector<NotifyEntry> map = {MakeNotifyEntry(L"click", nullptr, &WindowImplBase::OnClick)};
  return map;
}

void WindowImplBase::Notify(UiNotification& msg) { LoopDispatch(msg); }

LRESULT WindowImplBase::PreFilterMessage(UINT msg, WPARAM wParam, LPARAM, bool&) {
  if (msg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return OnDefaultKey(wParam) ? 1 : 0;
  return 0;
}

CControlUI* WindowImplBase::CreateCustomControl(const wchar_t*) { return nullptr; }

LRESULT WindowImplBase::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCLBUTTONDBLCLK) return 0;  // a double click on the caption never maximises
  bool handled = true;
  LRESULT result = 0;
  switch (msg) {
    case WM_CREATE:
      result = OnCreate(msg, wParam, lParam, handled);
      break;
    case WM_CLOSE:
      result = OnClose(msg, wParam, lParam, handled);
      break;
    case WM_DESTROY:
      result = OnDestroy(msg, wParam, lParam, handled);
      break;
    case WM_NCACTIVATE:
      result = OnNcActivate(msg, wParam, lParam, handled);
      break;
    case WM_NCCALCSIZE:
      result = OnNcCalcSize(msg, wParam, lParam, handled);
      break;
    case WM_NCPAINT:
      result = OnNcPaint(msg, wParam, lParam, handled);
      break;
    case WM_NCHITTEST:
      result = OnNcHitTest(msg, wParam, lParam, handled);
      break;
    case WM_GETMINMAXINFO:
      result = OnGetMinMaxInfo(msg, wParam, lParam, handled);
      break;
    case WM_MOUSEWHEEL:
      result = OnMouseWheel(msg, wParam, lParam, handled);
      break;
    case WM_MOUSEHOVER:
      result = OnMouseHover(msg, wParam, lParam, handled);
      break;
    case WM_SIZE:
      result = OnSize(msg, wParam, lParam, handled);
      break;
    case WM_CHAR:
      result = OnChar(msg, wParam, lParam, handled);
      break;
    case WM_SYSCOMMAND:
      result = OnSysCommand(msg, wParam, lParam, handled);
      break;
    case WM_KEYDOWN:
      result = OnKeyDown(msg, wParam, lParam, handled);
      break;
    case WM_KILLFOCUS:
      result = OnKillFocus(msg, wParam, lParam, handled);
      break;
    case WM_SETFOCUS:
      result = OnSetFocus(msg, wParam, lParam, handled);
      break;
    case WM_LBUTTONDOWN:
      result = OnLButtonDown(msg, wParam, lParam, handled);
      break;
    case WM_LBUTTONUP:
      result = OnLButtonUp(msg, wParam, lParam, handled);
      break;
    case WM_MOUSEMOVE:
      result = OnMouseMove(msg, wParam, lParam, handled);
      break;
    default:
      handled = false;
      break;
  }
  if (handled) return result;

  handled = true;
  result = OnCustomMessage(msg, wParam, lParam, handled);
  if (handled) return result;

  if (paintManager_.MessageHandler(msg, wParam, lParam, result)) return result;
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

}  // namespace ui
