// The PaintManager: the window's model on its native window. Painting, layout passes, input
// routing, notifications, key filters and control timers of one native window.
#include <windowsx.h>

#include <algorithm>

#include "HandleScopes.h"
#include "controls/RichEdit.h"
#include "controls/RichEditInput.h"
#include "controls/StandardControls.h"
#include "model/UiEvent.h"
#include "render/Canvas.h"
#include "render/ControlPaint.h"
#include "render/NativeRect.h"
#include "render/FontEntry.h"
#include "render/GdiplusSession.h"
#include "window/ModalLoop.h"
#include "window/NotifyPump.h"
#include "window/PaintManager.h"
#include "window/WindowRegion.h"
#include "window/WindowSide.h"

namespace ui {
namespace {

// Every window side of the process, for the key filters of the modal loops.
std::vector<std::weak_ptr<WindowSide>>& AllWindowSides() {
  static std::vector<std::weak_ptr<WindowSide>> sides;
  return sides;
}

bool Contains(const Rect& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// A disabled control closes its whole subtree to the mouse; a control that is only not
// mouse-enabled lets the mouse through to its children.
CControlUI* FindControlAt(CControlUI* control, POINT point) {
  if (control == nullptr || !control->IsVisible() || !control->IsEnabled() ||
      !Contains(control->GetPos(), point))
    return nullptr;
  // Later children lie above earlier ones.
  for (int i = control->GetChildCount() - 1; i >= 0; --i) {
    if (CControlUI* hit = FindControlAt(control->GetChildAt(i), point)) return hit;
  }
  return control->IsMouseEnabled() ? control : nullptr;
}

// Keys go to the focused control only while it may take them.
bool TakesKeys(const CControlUI* control) {
  return control != nullptr && control->IsEnabled() && control->IsKeyboardEnabled();
}

// The window's key state flags for an event (MK_* of the keyboard).
WORD CurrentKeyState() {
  WORD state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= MK_CONTROL;
  if (GetKeyState(VK_SHIFT) < 0) state |= MK_SHIFT;
  if (GetKeyState(VK_LBUTTON) < 0) state |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) < 0) state |= MK_RBUTTON;
  return state;
}

bool IsInTree(CControlUI* control, CControlUI* subtree) {
  for (CControlUI* c = control; c != nullptr; c = c->GetParent()) {
    if (c == subtree) return true;
  }
  return false;
}

void DeliverEvent(CControlUI* control, int type, POINT mouse, WPARAM wParam, LPARAM lParam, wchar_t key = 0) {
  if (control == nullptr) return;
  UiEvent event;
  event.Type = type;
  event.pSender = control;
  event.dwTimestamp = GetTickCount();
  event.ptMouse = mouse;
  event.chKey = key;
  event.wKeyState = CurrentKeyState();
  event.wParam = wParam;
  event.lParam = lParam;
  control->OnEvent(event);
}

POINT MousePoint(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

UINT NextControlTimerId(const std::vector<WindowSide::ControlTimer>& timers, UINT last) {
  UINT candidate = last;
  for (UINT tries = 0; tries <= kLastControlTimerId - kFirstControlTimerId; ++tries) {
    candidate = candidate >= kLastControlTimerId || candidate < kFirstControlTimerId ? kFirstControlTimerId
                                                                                     : candidate + 1;
    bool taken = std::any_of(timers.begin(), timers.end(),
                             [candidate](const WindowSide::ControlTimer& t) { return t.id == candidate; });
    if (!taken) return candidate;
  }
  return 0;
}

PaintManager::PaintManager(const SkinPackage& package) : WindowModel(package) {}

PaintManager::~PaintManager() = default;

ImagePtr PaintManager::GetImage(std::wstring_view path) {
  ImagePtr image = LoadSkinImage(GetPackage(), path);
  // The window holds on to what it shows, also when the process cache drops a changed file.
  if (image) images_[SkinPackage::LookupKey(path)] = image;
  return image;
}

void PaintManager::PreloadImage(std::wstring_view path) { GetImage(path); }

std::unique_ptr<CControlUI> PaintManager::CreateControl(std::wstring_view elementName) {
  return CreateStandardControl(elementName);
}

void PaintManager::ApplyWindowSize(Size size) {
  HWND window = GetPaintWindow();
  if (window != nullptr && IsWindow(window)) {
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void PaintManager::ShowArrowCursor() { ::SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

void PaintManager::PaintControl(CControlUI& control, Canvas& canvas) { PaintPlainControl(control, canvas); }

void PaintManager::Init(HWND window) {
  EnsureGdiplus();
  // The modal loops offer their messages to the windows' key filters through this hook.
  SetMessageFilterHook(&PaintManager::TranslateMessage);
  SetPaintWindow(window);
  if (!windowSide_) {
    windowSide_ = std::make_shared<WindowSide>();
    auto& sides = AllWindowSides();
    sides.erase(std::remove_if(sides.begin(), sides.end(), [](const auto& w) { return w.expired(); }),
                sides.end());
    sides.push_back(windowSide_);
  }
  windowSide_->hwnd = window;
}

void PaintManager::InitWindowSide() {
  if (!windowSide_ || windowSide_->hwnd == nullptr) return;
  HWND hwnd = windowSide_->hwnd;
  const WindowAttributes& attributes = GetWindowAttributes();
  if (attributes.bkTrans) {
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    windowSide_->layered = true;
  }
  if (attributes.showShadow) {
    windowSide_->shadow.SetSize(attributes.shadowSize);
    windowSide_->hasShadow = windowSide_->shadow.Create(hwnd);
  }
  NeedUpdate();
  EnsureLayout();
  Invalidate();
}

bool PaintManager::IsLayered() const { return windowSide_ && windowSide_->layered; }

void PaintManager::ReleaseWindow() {
  if (!windowSide_) return;
  HWND hwnd = windowSide_->hwnd;
  for (const auto& timer : windowSide_->timers) ::KillTimer(hwnd, timer.id);
  windowSide_->timers.clear();
  if (windowSide_->caretTimer) ::KillTimer(hwnd, kCaretTimerId);
  windowSide_->caretTimer = false;
  windowSide_->filters.clear();
  windowSide_->notifiers.clear();
  windowSide_->hover = windowSide_->capture = nullptr;
  windowSide_->hwnd = nullptr;
  SetPaintWindow(nullptr);
}

void PaintManager::ForgetWindowRefs(CControlUI* control) {
  if (!windowSide_ || control == nullptr) return;
  WindowSide& side = *windowSide_;
  if (IsInTree(side.hover, control)) side.hover = nullptr;
  if (IsInTree(side.capture, control)) side.capture = nullptr;
  for (auto it = side.timers.begin(); it != side.timers.end();) {
    if (IsInTree(it->control, control)) {
      if (side.hwnd != nullptr) ::KillTimer(side.hwnd, it->id);
      it = side.timers.erase(it);
    } else {
      ++it;
    }
  }
}

void PaintManager::SetFocus(CControlUI* control) {
  if (control == GetFocus()) return;
  CControlUI* old = GetFocus();
  WindowModel::SetFocus(control);
  if (!windowSide_ || windowSide_->hwnd == nullptr) return;
  POINT none{};
  if (old != nullptr) DeliverEvent(old, UIEVENT_KILLFOCUS, none, 0, 0);
  // The toolkit's focus lives inside the window's own keyboard focus.
  if (control != nullptr && ::GetFocus() != windowSide_->hwnd) ::SetFocus(windowSide_->hwnd);
  if (control != nullptr && GetFocus() == control) DeliverEvent(control, UIEVENT_SETFOCUS, none, 0, 0);
}

void PaintManager::AddPreMessageFilter(IMessageFilterUI* filter) {
  if (!windowSide_ || filter == nullptr) return;
  auto& filters = windowSide_->filters;
  if (std::find(filters.begin(), filters.end(), filter) == filters.end()) filters.push_back(filter);
}

void PaintManager::RemovePreMessageFilter(IMessageFilterUI* filter) {
  if (!windowSide_) return;
  auto& filters = windowSide_->filters;
  filters.erase(std::remove(filters.begin(), filters.end(), filter), filters.end());
}

void PaintManager::AddNotifier(INotifyUI* notifier) {
  if (!windowSide_ || notifier == nullptr) return;
  auto& notifiers = windowSide_->notifiers;
  if (std::find(notifiers.begin(), notifiers.end(), notifier) == notifiers.end())
    notifiers.push_back(notifier);
}

void PaintManager::RemoveNotifier(INotifyUI* notifier) {
  if (!windowSide_) return;
  auto& notifiers = windowSide_->notifiers;
  notifiers.erase(std::remove(notifiers.begin(), notifiers.end(), notifier), notifiers.end());
}

void PaintManager::SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam) {
  if (!windowSide_) return;
  UiNotification msg;
  msg.sType = type;
  msg.pSender = sender;
  msg.dwTimestamp = GetTickCount();
  GetCursorPos(&msg.ptMouse);
  if (windowSide_->hwnd != nullptr) ScreenToClient(windowSide_->hwnd, &msg.ptMouse);
  msg.wParam = wParam;
  msg.lParam = lParam;
  // A notifier may close the window or change the list: work on a copy.
  std::vector<INotifyUI*> notifiers = windowSide_->notifiers;
  for (INotifyUI* notifier : notifiers) notifier->Notify(msg);
}

bool PaintManager::TranslateMessage(const MSG& msg) {
  std::vector<std::shared_ptr<WindowSide>> sides;
  for (const auto& weak : AllWindowSides()) {
    if (auto side = weak.lock()) sides.push_back(std::move(side));
  }
  for (const auto& side : sides) {
    HWND hwnd = side->hwnd;
    if (hwnd == nullptr || (msg.hwnd != hwnd && !IsChild(hwnd, msg.hwnd))) continue;
    std::vector<IMessageFilterUI*> filters = side->filters;
    for (IMessageFilterUI* filter : filters) {
      bool handled = false;
      try {
        filter->PreFilterMessage(msg.message, msg.wParam, msg.lParam, handled);
      } catch (...) {
        handled = false;
      }
      if (handled) return true;
    }
  }
  return false;
}

void PaintManager::Invalidate() {
  if (!windowSide_ || windowSide_->hwnd == nullptr) return;
  if (windowSide_->layered) {
    if (!windowSide_->layeredPaintPosted) {
      windowSide_->layeredPaintPosted = PostMessageW(windowSide_->hwnd, WM_ORV_LAYERED_PAINT, 0, 0) != FALSE;
    }
    return;
  }
  InvalidateRect(windowSide_->hwnd, nullptr, FALSE);
}

void PaintManager::Invalidate(const Rect& rect) {
  if (!windowSide_ || windowSide_->hwnd == nullptr) return;
  if (windowSide_->layered) {
    Invalidate();
    return;
  }
  RECT r = ToRECT(rect);
  InvalidateRect(windowSide_->hwnd, &r, FALSE);
}

bool PaintManager::SetTimer(CControlUI* control, UINT key, UINT elapseMs) {
  if (!windowSide_ || windowSide_->hwnd == nullptr || control == nullptr) return false;
  WindowSide& side = *windowSide_;
  for (const auto& timer : side.timers) {
    if (timer.control == control && timer.key == key) {
      return ::SetTimer(side.hwnd, timer.id, elapseMs, nullptr) != 0;
    }
  }
  UINT id = NextControlTimerId(
      side.timers, side.nextTimerId == kFirstControlTimerId ? kLastControlTimerId : side.nextTimerId - 1);
  if (id == 0 || ::SetTimer(side.hwnd, id, elapseMs, nullptr) == 0) return false;
  side.nextTimerId = id >= kLastControlTimerId ? kFirstControlTimerId : id + 1;
  side.timers.push_back(WindowSide::ControlTimer{control, key, id});
  return true;
}

bool PaintManager::KillTimer(CControlUI* control, UINT key) {
  if (!windowSide_) return false;
  auto& timers = windowSide_->timers;
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    if (it->control == control && it->key == key) {
      if (windowSide_->hwnd != nullptr) ::KillTimer(windowSide_->hwnd, it->id);
      timers.erase(it);
      return true;
    }
  }
  return false;
}

void PaintManager::KillTimers(CControlUI* control) {
  if (!windowSide_) return;
  auto& timers = windowSide_->timers;
  for (auto it = timers.begin(); it != timers.end();) {
    if (it->control == control) {
      if (windowSide_->hwnd != nullptr) ::KillTimer(windowSide_->hwnd, it->id);
      it = timers.erase(it);
    } else {
      ++it;
    }
  }
}

bool PaintManager::SetCaretTimer(UINT elapseMs) {
  if (!windowSide_ || windowSide_->hwnd == nullptr) return false;
  windowSide_->caretTimer = ::SetTimer(windowSide_->hwnd, kCaretTimerId, elapseMs, nullptr) != 0;
  return windowSide_->caretTimer;
}

void PaintManager::KillCaretTimer() {
  if (!windowSide_ || !windowSide_->caretTimer) return;
  if (windowSide_->hwnd != nullptr) ::KillTimer(windowSide_->hwnd, kCaretTimerId);
  windowSide_->caretTimer = false;
}

CControlUI* PaintManager::FindControl(POINT point) const { return FindControlAt(GetRoot(), point); }

CControlUI* PaintManager::GetCapture() const { return windowSide_ ? windowSide_->capture : nullptr; }

const FontEntry* PaintManager::GetFontEntry(int index) const { return ui::GetFontEntry(*this, index); }

namespace {

void PaintTree(PaintManager& manager, WindowSide& side, const Rect& dirty) {
  RECT client{};
  GetClientRect(side.hwnd, &client);
  if (manager.IsUpdateNeeded()) manager.LayoutRoot(FromRECT(client));
  if (!side.surface.Resize(client.right, client.bottom)) return;
  const Rect full{0, 0, client.right, client.bottom};
  const Rect area = side.layered ? full : dirty;
  if (side.layered) {
    side.surface.Clear();
  } else {
    // Whatever no control covers shows white, not the previous frame.
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, full.bottom); ++y) {
      uint32_t* row = side.surface.Pixels() + static_cast<size_t>(y) * static_cast<size_t>(full.right);
      std::fill(row + std::max(area.left, 0), row + std::min(area.right, full.right), 0xFFFFFFFFu);
    }
  }
  Canvas canvas(side.surface, area, manager.GetWindowAttributes().gdiplusText, side.layered);
  if (CControlUI* root = manager.GetRoot(); root != nullptr && root->IsVisible()) {
    Canvas::ClipScope clip(canvas, root->GetPos());
    root->DoPaint(canvas);
  }
}

void PaintLayered(PaintManager& manager, WindowSide& side) {
  PaintTree(manager, side, Rect{});
  if (!side.surface.IsValid()) return;
  RECT window{};
  GetWindowRect(side.hwnd, &window);
  POINT position{window.left, window.top};
  SIZE size{side.surface.Width(), side.surface.Height()};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  WindowDc screen(nullptr);
  UpdateLayeredWindow(side.hwnd, screen.Get(), &position, &size, side.surface.Dc(), &origin, 0, &blend,
                      ULW_ALPHA);
}

}  // namespace

bool PaintManager::MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!windowSide_ || windowSide_->hwnd == nullptr) return false;
  WindowSide& side = *windowSide_;
  HWND hwnd = side.hwnd;
  result = 0;
  if (side.hasShadow) side.shadow.OnOwnerMessage(msg, wParam, lParam);
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) EnsureLayout();

  switch (msg) {
    case WM_ERASEBKGND:
      // Everything is painted from the back buffer: erasing would only flicker.
      result = 1;
      return true;

    case WM_PAINT: {
      if (side.layered) {
        ValidateRect(hwnd, nullptr);
        side.layeredPaintPosted = false;
        PostMessageW(hwnd, WM_ORV_LAYERED_PAINT, 0, 0);
        side.layeredPaintPosted = true;
        return true;
      }
      PaintDc dc(hwnd);
      Rect dirty = FromRECT(dc.Dirty());
      if (dirty.IsEmpty()) return true;
      PaintTree(*this, side, dirty);
      if (side.surface.IsValid()) {
        BitBlt(dc.Get(), dirty.left, dirty.top, dirty.Width(), dirty.Height(), side.surface.Dc(), dirty.left,
               dirty.top, SRCCOPY);
      }
      return true;
    }

    case WM_PRINTCLIENT: {
      // The whole client area into the given DC (PrintWindow, screenshots of hidden windows).
      RECT client{};
      GetClientRect(hwnd, &client);
      const Rect full = FromRECT(client);
      PaintTree(*this, side, full);
      if (side.surface.IsValid()) {
        BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, full.Width(), full.Height(), side.surface.Dc(), 0, 0,
               SRCCOPY);
      }
      return true;
    }

    case WM_ORV_LAYERED_PAINT: {
      side.layeredPaintPosted = false;
      if (!side.layered) return true;
      // What no one sees is not drawn (nor are its images decoded) until the window shows: the
      // logo, hidden while the shop window shows, costs the start nothing.
      if (!IsWindowVisible(hwnd)) {
        side.layeredPaintDeferred = true;
        return true;
      }
      PaintLayered(*this, side);
      return true;
    }

    case WM_WINDOWPOSCHANGING: {
      // Drawn before it appears, so that it never shows without its picture.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (side.layered && side.layeredPaintDeferred && pos != nullptr && (pos->flags & SWP_SHOWWINDOW) != 0) {
        side.layeredPaintDeferred = false;
        PaintLayered(*this, side);
      }
      return false;
    }

    case WM_SIZE: {
      if (GetFocus() != nullptr) DeliverEvent(GetFocus(), UIEVENT_WINDOWSIZE, POINT{}, 0, 0);
      NeedUpdate();
      EnsureLayout();
      return true;
    }

    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      const WindowAttributes& a = GetWindowAttributes();
      if (a.minInfo.cx > 0) info->ptMinTrackSize.x = a.minInfo.cx;
      if (a.minInfo.cy > 0) info->ptMinTrackSize.y = a.minInfo.cy;
      if (a.maxInfo.cx > 0) info->ptMaxTrackSize.x = a.maxInfo.cx;
      if (a.maxInfo.cy > 0) info->ptMaxTrackSize.y = a.maxInfo.cy;
      return false;
    }

    case WM_TIMER: {
      if (wParam == kCaretTimerId) {
        if (GetFocus() != nullptr) {
          if (auto* edit = static_cast<CRichEditUI*>(GetFocus()->InterfaceFor(L"RichEdit")))
            edit->Input().Blink();
        }
        return true;
      }
      for (const auto& timer : side.timers) {
        if (timer.id == wParam) {
          DeliverEvent(timer.control, UIEVENT_TIMER, POINT{}, timer.key, 0);
          return true;
        }
      }
      return false;
    }

    case WM_MOUSEMOVE: {
      if (!side.trackingMouse) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, HOVER_DEFAULT};
        side.trackingMouse = TrackMouseEvent(&track) != FALSE;
      }
      POINT pt = MousePoint(lParam);
      CControlUI* over = FindControl(pt);
      if (over != side.hover) {
        CControlUI* old = side.hover;
        side.hover = over;
        if (old != nullptr) DeliverEvent(old, UIEVENT_MOUSELEAVE, pt, wParam, lParam);
        if (over != nullptr && side.hover == over) DeliverEvent(over, UIEVENT_MOUSEENTER, pt, wParam, lParam);
      }
      CControlUI* target = side.capture != nullptr ? side.capture : side.hover;
      if (target != nullptr) DeliverEvent(target, UIEVENT_MOUSEMOVE, pt, wParam, lParam);
      return false;
    }

    case WM_MOUSELEAVE: {
      side.trackingMouse = false;
      if (side.hover != nullptr && side.capture == nullptr) {
        CControlUI* old = side.hover;
        side.hover = nullptr;
        POINT pt{};
        GetCursorPos(&pt);
        ScreenToClient(hwnd, &pt);
        DeliverEvent(old, UIEVENT_MOUSELEAVE, pt, 0, 0);
      }
      return false;
    }

    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (::GetFocus() != hwnd) ::SetFocus(hwnd);
      POINT pt = MousePoint(lParam);
      CControlUI* control = FindControl(pt);
      if (control == nullptr) return false;
      side.capture = control;
      ::SetCapture(hwnd);
      DeliverEvent(control, msg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, pt, wParam,
                   lParam);
      return false;
    }

    case WM_LBUTTONUP: {
      POINT pt = MousePoint(lParam);
      CControlUI* control = side.capture;
      side.capture = nullptr;
      if (::GetCapture() == hwnd) ReleaseCapture();
      if (control != nullptr) DeliverEvent(control, UIEVENT_BUTTONUP, pt, wParam, lParam);
      return false;
    }

    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) side.capture = nullptr;
      return false;

    case WM_RBUTTONDOWN: {
      POINT pt = MousePoint(lParam);
      CControlUI* control = FindControl(pt);
      if (control == nullptr) return false;
      side.capture = control;
      DeliverEvent(control, UIEVENT_RBUTTONDOWN, pt, wParam, lParam);
      return false;
    }

    case WM_CONTEXTMENU: {
      if (side.capture == nullptr) return false;
      POINT pt = MousePoint(lParam);
      ScreenToClient(hwnd, &pt);
      CControlUI* control = side.capture;
      side.capture = nullptr;
      DeliverEvent(control, UIEVENT_CONTEXTMENU, pt, 0, lParam);
      return true;
    }

    case WM_MOUSEWHEEL: {
      POINT pt = MousePoint(lParam);
      ScreenToClient(hwnd, &pt);
      CControlUI* control = FindControl(pt);
      if (control == nullptr) return false;
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      DeliverEvent(control, UIEVENT_SCROLLWHEEL, pt, delta < 0 ? 1 : 0, lParam);
      return true;
    }

    case WM_SETCURSOR: {
      if (LOWORD(lParam) != HTCLIENT) return false;
      POINT pt{};
      GetCursorPos(&pt);
      ScreenToClient(hwnd, &pt);
      CControlUI* control = FindControl(pt);
      if (control == nullptr) return false;
      DeliverEvent(control, UIEVENT_SETCURSOR, pt, wParam, lParam);
      result = TRUE;
      return true;
    }

    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: {
      if (!TakesKeys(GetFocus())) return false;
      const int type = msg == WM_KEYDOWN ? UIEVENT_KEYDOWN : (msg == WM_KEYUP ? UIEVENT_KEYUP : UIEVENT_CHAR);
      DeliverEvent(GetFocus(), type, POINT{}, wParam, lParam, static_cast<wchar_t>(wParam));
      return true;
    }

    case WM_IME_CHAR: {
      // A character the input method composed (Chinese): typed like any other character, and
      // answered here so the system does not send it again as WM_CHAR.
      if (!TakesKeys(GetFocus())) return false;
      DeliverEvent(GetFocus(), UIEVENT_CHAR, POINT{}, wParam, lParam, static_cast<wchar_t>(wParam));
      return true;
    }

    case WM_IME_STARTCOMPOSITION: {
      if (GetFocus() != nullptr) {
        if (auto* edit = static_cast<CRichEditUI*>(GetFocus()->InterfaceFor(L"RichEdit"))) {
          ImeContext ime(hwnd);
          if (ime.Get() != nullptr) {
            COMPOSITIONFORM form{};
            form.dwStyle = CFS_POINT;
            form.ptCurrentPos = edit->Input().CaretPoint();
            ImmSetCompositionWindow(ime.Get(), &form);
          }
        }
      }
      return false;
    }

    case WM_SETFOCUS:
      if (GetFocus() != nullptr) DeliverEvent(GetFocus(), UIEVENT_SETFOCUS, POINT{}, 0, 0);
      return false;

    case WM_KILLFOCUS:
      if (GetFocus() != nullptr) DeliverEvent(GetFocus(), UIEVENT_KILLFOCUS, POINT{}, 0, 0);
      return false;

    case WM_DESTROY:
      for (const auto& timer : side.timers) ::KillTimer(hwnd, timer.id);
      side.timers.clear();
      KillCaretTimer();
      // Before the system destroys it as an owned window, so no stale handle is kept.
      side.shadow.Destroy();
      side.hasShadow = false;
      return false;

    default:
      return false;
  }
}

}  // namespace ui

namespace ui {

void PaintManager::EnsureLayout() {
  if (!IsUpdateNeeded() || !windowSide_ || windowSide_->hwnd == nullptr) return;
  RECT client{};
  GetClientRect(windowSide_->hwnd, &client);
  LayoutRoot(FromRECT(client));
}

void PaintManager::NeedUpdate() {
  WindowModel::NeedUpdate();
  Invalidate();
}

}  // namespace ui
