// How window messages become toolkit events, and how the web view control hands those events to
// the engine (the development engine's status shows what arrived).
#include <gtest/gtest.h>
#include <windowsx.h>

#include <string>

#include "EventRecorder.h"
#include "TestSupport.h"
#include "WebViewHarness.h"
#include "WebkitUI.h"

using namespace webtest;

namespace {

LPARAM ClientPoint(int x, int y) { return MAKELPARAM(x, y); }
LPARAM ScreenPoint(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return MAKELPARAM(p.x, p.y);
}

TEST(WebViewEvents, WindowMessagesBecomeTheToolkitEventsOfTheirControls) {
  ASSERT_TRUE(StartToolkitAndEngine());
  HostWindow window(L"Xmls\\CallDialog.xml", true);
  HWND hwnd = window.Open(640, 400);
  ASSERT_NE(nullptr, hwnd);
  auto* recorder = static_cast<EventRecorder*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, recorder);
  const ui::Rect pos = recorder->GetPos();
  const int x = pos.left + 50, y = pos.top + 60;

  struct Case {
    const char* what;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int type;  // the event the recorder gets last
    WPARAM eventWParam;
    bool atMouse;  // the event's point is x, y
  };
  const Case cases[] = {
      {"wheel toward the user", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
       ScreenPoint(hwnd, x, y), ui::UIEVENT_SCROLLWHEEL, 1, true},
      {"wheel away from the user", WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, WHEEL_DELTA), ScreenPoint(hwnd, x, y),
       ui::UIEVENT_SCROLLWHEEL, 0, true},
      {"mouse move", WM_MOUSEMOVE, MK_CONTROL, ClientPoint(x, y), ui::UIEVENT_MOUSEMOVE, MK_CONTROL, true},
      {"left down", WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y), ui::UIEVENT_BUTTONDOWN, MK_LBUTTON, true},
      {"left up", WM_LBUTTONUP, 0, ClientPoint(x, y), ui::UIEVENT_BUTTONUP, 0, true},
      {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, ClientPoint(x, y), ui::UIEVENT_DBLCLICK, MK_LBUTTON,
       true},
      {"left up after the double click", WM_LBUTTONUP, 0, ClientPoint(x, y), ui::UIEVENT_BUTTONUP, 0, true},
      {"right down", WM_RBUTTONDOWN, MK_RBUTTON, ClientPoint(x, y), ui::UIEVENT_RBUTTONDOWN, MK_RBUTTON,
       true},
      // To the control that took the right button, wherever the menu key was pressed.
      {"context menu", WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), ScreenPoint(hwnd, x, y),
       ui::UIEVENT_CONTEXTMENU, 0, true},
      {"focus lost", WM_KILLFOCUS, 0, 0, ui::UIEVENT_KILLFOCUS, 0, false},
      {"focus gained", WM_SETFOCUS, 0, 0, ui::UIEVENT_SETFOCUS, 0, false},
      {"key down", WM_KEYDOWN, 'A', 0x401E0001, ui::UIEVENT_KEYDOWN, 'A', false},
      {"character", WM_CHAR, 'a', 0x001E0001, ui::UIEVENT_CHAR, 'a', false},
      {"key up", WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001), ui::UIEVENT_KEYUP, 'A', false},
      {"size", WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 400), ui::UIEVENT_WINDOWSIZE, 0, false},
  };
  // Keys, sizes and focus go to the focused control.
  recorder->Focus();
  ASSERT_EQ(recorder, window.GetPaintManager().GetFocus());
  ASSERT_NE(nullptr, recorder->Last(ui::UIEVENT_SETFOCUS));

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    recorder->events.clear();
    SendMessageW(hwnd, c.message, c.wParam, c.lParam);
    ASSERT_FALSE(recorder->events.empty());
    const ui::UiEvent* event = recorder->Last(c.type);
    ASSERT_NE(nullptr, event);
    EXPECT_EQ(recorder, event->pSender);
    EXPECT_EQ(c.eventWParam, event->wParam);
    if (c.message == WM_KEYDOWN || c.message == WM_KEYUP || c.message == WM_CHAR) {
      EXPECT_EQ(c.lParam, event->lParam);
    }
    if (c.atMouse) {
      EXPECT_EQ(x, event->ptMouse.x);
      EXPECT_EQ(y, event->ptMouse.y);
    }
  }
  ReleaseCapture();
}

TEST(WebViewEvents, ContextMenuWithoutACapturedControlReachesNoControl) {
  ASSERT_TRUE(StartToolkitAndEngine());
  HostWindow window(L"Xmls\\CallDialog.xml", true);
  HWND hwnd = window.Open(640, 400);
  auto* recorder = static_cast<EventRecorder*>(window.Find(L"ie"));
  ASSERT_NE(nullptr, recorder);
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), ScreenPoint(hwnd, 50, 60));
  EXPECT_EQ(nullptr, recorder->Last(ui::UIEVENT_CONTEXTMENU));
  // A right press captures; its menu goes to the control once, then the capture is gone.
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, ClientPoint(50, 60));
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), ScreenPoint(hwnd, 300, 200));
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), ScreenPoint(hwnd, 300, 200));
  int menus = 0;
  for (const ui::UiEvent& e : recorder->events) menus += e.Type == ui::UIEVENT_CONTEXTMENU ? 1 : 0;
  EXPECT_EQ(1, menus);
}

class WebViewForwarding : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartToolkitAndEngine());
    hwnd_ = window_.Open(640, 400);
    ASSERT_NE(nullptr, hwnd_);
    control_ = static_cast<WebkitUI1*>(window_.Find(L"ie"));
    ASSERT_NE(nullptr, control_);
    view_ = WkeCall(wkeGetHostHWND, control_->EngineView());
    ASSERT_NE(nullptr, view_);
  }

  HostWindow window_{L"Xmls\\CallDialog.xml"};
  HWND hwnd_ = nullptr;
  WebkitUI1* control_ = nullptr;
  HWND view_ = nullptr;
};

TEST_F(WebViewForwarding, EventsReachTheEngineWithTheirFlagsAndCoordinates) {
  const ui::Rect pos = control_->GetPos();
  ASSERT_EQ(1, pos.left);  // the dialog layout's inset
  ASSERT_EQ(1, pos.top);
  const LONG x = pos.left + 30, y = pos.top + 40;
  const LPARAM repeatExtended = static_cast<LPARAM>(0x41000001);

  struct Case {
    const char* what;
    int type;
    WPARAM wParam;
    LPARAM lParam;
    POINT mouse;
    const char* key;    // status key that shows the call
    const char* value;  // its expected value
  };
  const Case cases[] = {
      {"key down, repeat and extended",
       ui::UIEVENT_KEYDOWN,
       VK_LEFT,
       repeatExtended,
       {},
       "lastKey",
       "down 37 16640"},
      {"key down, plain", ui::UIEVENT_KEYDOWN, 'A', 0x001E0001, {}, "lastKey", "down 65 0"},
      {"key up, extended",
       ui::UIEVENT_KEYUP,
       VK_LEFT,
       static_cast<LPARAM>(0x81000001),
       {},
       "lastKey",
       "up 37 256"},
      {"character, repeat", ui::UIEVENT_CHAR, 'a', 0x401E0001, {}, "lastKey", "press 97 16384"},
      {"move with control and shift",
       ui::UIEVENT_MOUSEMOVE,
       MK_CONTROL | MK_SHIFT,
       0,
       {x, y},
       "lastMouse",
       "9 30 40 12"},
      {"left down", ui::UIEVENT_BUTTONDOWN, MK_LBUTTON, 0, {x, y}, "lastMouse", "13 30 40 1"},
      {"left up", ui::UIEVENT_BUTTONUP, 0, 0, {x + 5, y + 6}, "lastMouse", "14 35 46 0"},
      {"right down with middle",
       ui::UIEVENT_RBUTTONDOWN,
       MK_RBUTTON | MK_MBUTTON,
       0,
       {x, y},
       "lastMouse",
       "15 30 40 18"},
      {"double click", ui::UIEVENT_DBLCLICK, MK_LBUTTON | MK_CONTROL, 0, {x, y}, "lastMouse", "16 30 40 9"},
      // Window coordinates unchanged for the menu and the wheel.
      {"context menu", ui::UIEVENT_CONTEXTMENU, 0, 0, {x, y}, "lastContextMenu", "31 41 0"},
      {"wheel toward the user", ui::UIEVENT_SCROLLWHEEL, 1, 0, {x, y}, "lastWheel", "31 41 -120 1"},
      {"wheel away from the user", ui::UIEVENT_SCROLLWHEEL, 0, 0, {x, y}, "lastWheel", "31 41 120 0"},
      {"focus gained", ui::UIEVENT_SETFOCUS, 0, 0, {}, "focused", "1"},
      {"focus lost", ui::UIEVENT_KILLFOCUS, 0, 0, {}, "focused", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::UiEvent event;
    event.Type = c.type;
    event.pSender = control_;
    event.wParam = c.wParam;
    event.lParam = c.lParam;
    event.ptMouse = c.mouse;
    control_->OnEvent(event);
    if (c.type == ui::UIEVENT_BUTTONDOWN) {
      // The holding window takes focus and the mouse, so that the release comes back to it.
      EXPECT_EQ(hwnd_, GetCapture());
      EXPECT_EQ(hwnd_, GetFocus());
    }
    if (c.type == ui::UIEVENT_BUTTONUP) {
      EXPECT_EQ(nullptr, GetCapture());
    }
    EXPECT_EQ(c.value, ViewStatus(view_)[c.key]);
  }
  auto status = ViewStatus(view_);
  EXPECT_EQ("4", status["keyEvents"]);
  EXPECT_EQ("5", status["mouseEvents"]);
  EXPECT_EQ("1", status["contextMenuEvents"]);
  EXPECT_EQ("2", status["wheelEvents"]);
}

TEST_F(WebViewForwarding, OtherEventsAreLeftToTheControlBase) {
  auto before = ViewStatus(view_);
  ui::UiEvent event;
  event.pSender = control_;
  for (int type : {ui::UIEVENT_MOUSELEAVE, ui::UIEVENT_MOUSEENTER, ui::UIEVENT_WINDOWSIZE,
                   ui::UIEVENT_SETCURSOR, ui::UIEVENT_TIMER}) {
    event.Type = type;
    control_->OnEvent(event);
  }
  auto after = ViewStatus(view_);
  for (const char* key : {"keyEvents", "mouseEvents", "contextMenuEvents", "wheelEvents", "focused"}) {
    EXPECT_EQ(before[key], after[key]) << key;
  }
}

TEST_F(WebViewForwarding, AWheelTurnOverTheWindowReachesTheEngine) {
  const ui::Rect pos = control_->GetPos();
  SendMessageW(hwnd_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
               ScreenPoint(hwnd_, pos.left + 20, pos.top + 20));
  auto status = ViewStatus(view_);
  EXPECT_EQ("1", status["wheelEvents"]);
  EXPECT_EQ("21 21 -120 1", status["lastWheel"]);
}

}  // namespace
