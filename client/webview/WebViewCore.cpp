#include "WebViewCore.h"

#include "ModulePath.h"
#include "TextConvert.h"
#include "model/WindowModel.h"

namespace webview {

wkeWebView AttachView(ui::CControlUI& control, wkeDocumentReadyCallback callback) {
  ui::WindowModel* manager = control.GetManager();
  HWND window = manager != nullptr ? manager->GetPaintWindow() : nullptr;
  if (window == nullptr) return nullptr;
  const ui::Rect& pos = control.GetPos();
  wkeWebView view =
      WkeCall(wkeCreateWebWindow, WKE_WINDOW_TYPE_CONTROL, window, 0, 0, pos.Width(), pos.Height());
  if (view == nullptr) return nullptr;
  HWND host = WkeCall(wkeGetHostHWND, view);
  if (host == nullptr) return view;
  SetWindowLongW(host, GWL_STYLE, GetWindowLongW(host, GWL_STYLE) | WS_VISIBLE);
  WkeCall(wkeSetTouchEnabled, view, true);
  WkeCall(wkeOnDocumentReady, view, callback, static_cast<void*>(&control));
  return view;
}

void DocumentReady(const ViewClass& viewClass, wkeWebView view) {
  if (*viewClass.readyPosted) return;
  *viewClass.readyPosted = true;
  WkeCall(wkeOnDocumentReady, view, nullptr, nullptr);
  if (*viewClass.target != nullptr) PostMessageW(*viewClass.target, viewClass.readyMessage, 0, 0);
}

void LoadUrl(wkeWebView view, const std::string& utf8Url) {
  if (view == nullptr) return;
  WkeCall(wkeLoadURL, view, utf8Url.c_str());
  WkeCall(wkeShowWindow, view, true);
}

std::wstring RunScript(wkeWebView view, const std::wstring& script) {
  if (view == nullptr) return std::wstring();
  jsValue result = WkeCall(wkeRunJSW, view, script.c_str());
  // The engine's text lives only until its next conversion: copied at once.
  const wchar_t* text = WkeCall(jsToTempStringW, WkeCall(wkeGlobalExec, view), result);
  return text != nullptr ? std::wstring(text) : std::wstring();
}

void ShowDevTools(wkeWebView view) {
  if (view == nullptr) return;
  const std::string path = WideToUtf8(GetModuleDir() + L"devtools//front_end//inspector.html");
  WkeCall(wkeSetDebugConfig, view, "showDevTools", path.c_str());
}

void PlaceView(wkeWebView view, const ui::Rect& pos) {
  if (view == nullptr) return;
  WkeCall(wkeResize, view, pos.Width(), pos.Height());
  // The rectangle is in the client coordinates of the holding window, the parent of the view's.
  if (HWND host = WkeCall(wkeGetHostHWND, view))
    MoveWindow(host, pos.left, pos.top, pos.Width(), pos.Height(), TRUE);
}

void ShowViewWindow(wkeWebView view, bool visible) {
  if (view == nullptr) return;
  if (HWND host = WkeCall(wkeGetHostHWND, view)) ShowWindow(host, visible ? SW_SHOW : SW_HIDE);
}

void FocusViewWindow(wkeWebView view) {
  if (view == nullptr) return;
  if (HWND host = WkeCall(wkeGetHostHWND, view)) SetFocus(host);
}

unsigned int MouseFlags(WPARAM wParam) {
  unsigned int flags = 0;
  if (wParam & MK_CONTROL) flags |= WKE_CONTROL;
  if (wParam & MK_SHIFT) flags |= WKE_SHIFT;
  if (wParam & MK_LBUTTON) flags |= WKE_LBUTTON;
  if (wParam & MK_MBUTTON) flags |= WKE_MBUTTON;
  if (wParam & MK_RBUTTON) flags |= WKE_RBUTTON;
  return flags;
}

unsigned int KeyFlags(LPARAM lParam) {
  const unsigned int high = HIWORD(static_cast<DWORD>(lParam));
  unsigned int flags = 0;
  if (high & KF_REPEAT) flags |= WKE_REPEAT;
  if (high & KF_EXTENDED) flags |= WKE_EXTENDED;
  return flags;
}

bool ForwardEvent(wkeWebView view, const ui::CControlUI& control, const ui::UiEvent& event) {
  const ui::Rect& pos = control.GetPos();
  const auto key = static_cast<unsigned int>(event.wParam);
  switch (event.Type) {
    case ui::UIEVENT_KEYDOWN:
      if (view != nullptr) WkeCall(wkeKeyDown, view, key, KeyFlags(event.lParam), false);
      return true;
    case ui::UIEVENT_KEYUP:
      if (view != nullptr) WkeCall(wkeKeyUp, view, key, KeyFlags(event.lParam), false);
      return true;
    case ui::UIEVENT_CHAR:
      if (view != nullptr) WkeCall(wkeKeyPress, view, key, KeyFlags(event.lParam), false);
      return true;
    case ui::UIEVENT_MOUSEMOVE:
    case ui::UIEVENT_BUTTONDOWN:
    case ui::UIEVENT_BUTTONUP:
    case ui::UIEVENT_RBUTTONDOWN:
    case ui::UIEVENT_DBLCLICK: {
      if (view == nullptr) return true;
      ui::WindowModel* manager = control.GetManager();
      HWND window = manager != nullptr ? manager->GetPaintWindow() : nullptr;
      if (event.Type == ui::UIEVENT_BUTTONDOWN && window != nullptr) {
        SetFocus(window);
        SetCapture(window);
      } else if (event.Type == ui::UIEVENT_BUTTONUP) {
        ReleaseCapture();
      }
      // The engine takes the event's type number as its mouse message.
      WkeCall(wkeMouseEvent, view, static_cast<unsigned int>(event.Type), event.ptMouse.x - pos.left,
              event.ptMouse.y - pos.top, MouseFlags(event.wParam));
      return true;
    }
    case ui::UIEVENT_CONTEXTMENU:
      if (view != nullptr)
        WkeCall(wkeContextMenuEvent, view, event.ptMouse.x, event.ptMouse.y, MouseFlags(event.wParam));
      return true;
    case ui::UIEVENT_SCROLLWHEEL:
      if (view != nullptr) {
        const int delta = LOWORD(event.wParam) == 1 ? -WHEEL_DELTA : WHEEL_DELTA;
        WkeCall(wkeMouseWheel, view, event.ptMouse.x, event.ptMouse.y, delta, MouseFlags(event.wParam));
      }
      return true;
    case ui::UIEVENT_KILLFOCUS:
      if (view != nullptr) WkeCall(wkeUnfocus, view);
      return true;
    case ui::UIEVENT_SETFOCUS:
      if (view != nullptr) WkeCall(wkeFocus, view);
      return true;
    default:
      return false;
  }
}

}  // namespace webview
