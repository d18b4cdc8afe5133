#pragma once
// What the four web view controls share: one engine view placed over a control, its document-
// ready notice, and the forwarding of toolkit events to the engine. The controls keep the view;
// these functions act on it.
#include <windows.h>

#include <string>

#include "WebEngine.h"
#include "model/Control.h"
#include "model/UiEvent.h"

namespace webview {

// One web view class: its name and where its document-ready notice goes.
struct ViewClass {
  const wchar_t* className;  // ClassName and interface name
  const wchar_t* element;    // layout element the window's factory creates it for
  UINT readyMessage;
  HWND* target;       // process-wide window handle, read when the notice is due
  bool* readyPosted;  // set once the class's notice was due, never reset
};

// Creates the engine view of a control that has joined its window: a child of that window with
// the control's size, visible, touch on, the callback registered with the control as parameter.
// Null when the control has no window yet or the engine refused the view.
wkeWebView AttachView(ui::CControlUI& control, wkeDocumentReadyCallback callback);
// The document-ready callback's work: once per class and process, unregister and post the
// class's notice (when its window handle is set).
void DocumentReady(const ViewClass& viewClass, wkeWebView view);

void LoadUrl(wkeWebView view, const std::string& utf8Url);
std::wstring RunScript(wkeWebView view, const std::wstring& script);
void ShowDevTools(wkeWebView view);
// After the control was placed: the view's size and its window over the control's rectangle.
void PlaceView(wkeWebView view, const ui::Rect& pos);
void ShowViewWindow(wkeWebView view, bool visible);
void FocusViewWindow(wkeWebView view);
// Hands an event of the forwarding table to the engine (when there is a view); false for any
// other event type, which the control passes to its base.
bool ForwardEvent(wkeWebView view, const ui::CControlUI& control, const ui::UiEvent& event);

// Engine flags of a mouse, context-menu or wheel event's wParam (MK_* bits).
unsigned int MouseFlags(WPARAM wParam);
// Engine flags of a key event's lParam: repeat and extended bits of its high word.
unsigned int KeyFlags(LPARAM lParam);

}  // namespace webview
