#pragma once
// The record the toolkit hands to a control's OnEvent. Window messages become these in the
// PaintManager; a tree without a window receives none.
#include <windows.h>

namespace ui {

class CControlUI;

// Event types of UiEvent.
enum UiEventType : int {
  UIEVENT_KEYDOWN = 3,
  UIEVENT_KEYUP = 4,
  UIEVENT_CHAR = 5,
  UIEVENT_MOUSEMOVE = 9,
  UIEVENT_MOUSELEAVE = 10,
  UIEVENT_MOUSEENTER = 11,
  UIEVENT_BUTTONDOWN = 13,
  UIEVENT_BUTTONUP = 14,
  UIEVENT_RBUTTONDOWN = 15,
  UIEVENT_DBLCLICK = 16,
  UIEVENT_CONTEXTMENU = 17,
  UIEVENT_SCROLLWHEEL = 18,
  UIEVENT_KILLFOCUS = 20,
  UIEVENT_SETFOCUS = 21,
  UIEVENT_WINDOWSIZE = 22,
  UIEVENT_SETCURSOR = 23,
  UIEVENT_TIMER = 24,
};

struct UiEvent {
  int Type = 0;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse{};  // window client coordinates
  wchar_t chKey = 0;
  WORD wKeyState = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

}  // namespace ui
