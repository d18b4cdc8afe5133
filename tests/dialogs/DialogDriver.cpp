#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <vector>

#include "LoginDialog.h"
#include "MsgDialog.h"
#include "RealInput.h"

namespace dialogtest {
namespace {

struct Search {
  const wchar_t* windowClass;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
      lstrcmpW(name, search->windowClass) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND VisibleWindow(const wchar_t* windowClass) {
  Search search{windowClass, nullptr};
  EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

POINT ToScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

template <typename Dialog>
Rects RectsOf(Dialog& dialog) {
  Rects rects;
  dialog.GetPaintManager().EnsureLayout();
  for (const wchar_t* name : {L"closebtn", L"okbtn", L"cancelbtn", L"LabelMsg", L"input", L"logo", L"name"}) {
    if (ui::CControlUI* control = dialog.GetPaintManager().FindControl(name)) rects[name] = control->GetPos();
  }
  return rects;
}

}  // namespace

bool PollFor(const std::function<bool()>& pred, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (pred()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(10);
  }
}

// How long a dialog may take to show after the user starts waiting for it.
const DWORD kWindowWaitMs = 10000;

User::User(const wchar_t* windowClass, std::function<void(HWND)> actions) : class_(windowClass) {
  thread_ = std::thread([this, actions] {
    HWND window = nullptr;
    PollFor([&] { return stop_ || (window = VisibleWindow(class_.c_str())) != nullptr; }, kWindowWaitMs);
    if (window == nullptr) {
      // Too late: a window that still comes is closed, so that the modal loop under test
      // returns and the destructor reports it.
      while (!stop_) {
        if (HWND late = VisibleWindow(class_.c_str())) {
          late_ = true;
          PostMessageW(late, WM_CLOSE, kLeftOpen, 0);
          PollFor([&] { return stop_ || !IsWindow(late) || !IsWindowVisible(late); }, 5000);
        }
        Sleep(10);
      }
      return;
    }
    saw_ = true;
    // The dialog is created visible and then centred: act once it has stayed in one place.
    RECT last{};
    GetWindowRect(window, &last);
    PollFor(
        [&] {
          Sleep(100);
          RECT now{};
          GetWindowRect(window, &now);
          const bool settled = EqualRect(&now, &last) && IsWindowEnabled(window) && IsWindowVisible(window);
          last = now;
          return settled;
        },
        3000);
    actions(window);
    if (!PollFor([&] { return !IsWindow(window); }, 5000)) PostMessageW(window, WM_CLOSE, kLeftOpen, 0);
  });
}

User::~User() {
  stop_ = true;
  thread_.join();
  const std::string name(class_.begin(), class_.end());
  if (late_) {
    ADD_FAILURE() << "the " << name << " window came later than " << kWindowWaitMs << " ms (closed with "
                  << kLeftOpen << ")";
  } else if (!saw_) {
    ADD_FAILURE() << "no visible " << name << " window came within " << kWindowWaitMs << " ms";
  }
}

void ClickAt(HWND window, POINT client) { testsupport::ClickAt(ToScreen(window, client)); }

void Type(HWND window, const std::wstring& text) {
  testsupport::BringToForeground(window);
  testsupport::TypeUnicode(text);
}

void Press(HWND window, WORD vk) {
  testsupport::BringToForeground(window);
  testsupport::PressKey(vk);
}

void AltF4(HWND window) {
  testsupport::BringToForeground(window);
  testsupport::PressAltF4();
}

void DragBy(HWND window, POINT from, int dx, int dy) {
  testsupport::DragFrom(ToScreen(window, from), dx, dy);
}

Rects MsgDialogRects(const std::wstring& text, int mode) {
  MsgDialog twin;
  if (twin.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW) == nullptr) return {};
  twin.SetMessage(text, mode);
  return RectsOf(twin);
}

Rects LoginDialogRects() {
  LoginDialog twin;
  if (twin.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW) == nullptr) return {};
  return RectsOf(twin);
}

POINT Centre(const ui::Rect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace dialogtest
