#include "LogoDialog.h"

#include "ClientMessages.h"
#include "ClientSettings.h"
#include "TipDialog.h"
#include "WindowPlacement.h"
#include "WindowTimers.h"
#include "window/DesktopOwner.h"

namespace {

const UINT kStripFlags = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE;

RECT NearestWorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }
  return info.rcWork;
}

}  // namespace

const std::vector<ui::CNotifyPump::NotifyEntry>& LogoDialog::NotifyMap() const {
  static const std::vector<NotifyEntry> map = {
      ui::MakeNotifyEntry(L"click", nullptr, &WindowImplBase::OnClick)};
  return map;
}

void LogoDialog::OnInit() {
  SetTimer(hwnd_, TIMER_DESKTOP_OWNER, kWindowTimerPeriodMs, nullptr);
  const ClientSettings& settings = GetClientSettings();
  RECT client{};
  GetClientRect(hwnd_, &client);
  const POINT at = ComputeLogoPosition(settings, NearestWorkArea(hwnd_), client.right - client.left,
                                       client.bottom - client.top);
  SIZE size{};
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!LogoSizeFromSettings(settings, size)) flags |= SWP_NOSIZE;
  SetWindowPos(hwnd_, nullptr, at.x, at.y, size.cx, size.cy, flags);
}

LRESULT LogoDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_WINDOWPOSCHANGING:
      if (lParam != 0) KeepInside(*reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_NCLBUTTONDOWN: {
      pressed_ = 1;
      // The mouse leaving the caption area is reported only when asked for; it ends a press
      // whose release the system's move loop kept for itself.
      TRACKMOUSEEVENT track{};
      track.cbSize = sizeof track;
      track.dwFlags = TME_LEAVE | TME_NONCLIENT;
      track.hwndTrack = hwnd_;
      TrackMouseEvent(&track);
      break;
    }
    case WM_ENTERSIZEMOVE:
      // The system may enter its move loop at the press itself, before the mouse has moved (Wine
      // does): only a real move ends the click, and the loop's end settles it.
      moveLoop_ = 1;
      break;
    case WM_MOVING:
      pressed_ = 0;
      break;
    case WM_EXITSIZEMOVE:
      moveLoop_ = 0;
      if (pressed_) OnReleased();
      break;
    case WM_NCLBUTTONUP:
    case WM_NCMOUSELEAVE:
      // Inside the move loop the button is still down: the loop's end decides.
      if (pressed_ && !moveLoop_) OnReleased();
      break;
    case WM_TIMER:
      KillTimer(hwnd_, wParam);
      SetDesktopOwner(hwnd_);
      break;
    default:
      break;
  }
  return WindowImplBase::OnMessage(msg, wParam, lParam);
}

void LogoDialog::KeepInside(WINDOWPOS& pos) {
  // Showing and hiding pass no position (x, y and the size may be 0): nothing moves then.
  if ((pos.flags & SWP_NOMOVE) != 0) return;
  int width = pos.cx;
  int height = pos.cy;
  if ((pos.flags & SWP_NOSIZE) != 0) {
    RECT now{};
    GetWindowRect(hwnd_, &now);
    width = now.right - now.left;
    height = now.bottom - now.top;
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const POINT at = KeepInsideWorkArea(pos.x, pos.y, width, height, work);
  pos.x = at.x;
  pos.y = at.y;
  if (toolStrip_ != nullptr && width > 0 && height > 0) {
    const POINT strip = StripAbove(at.x, at.y, width, toolStrip_->StripWidth(), toolStrip_->StripHeight());
    SetWindowPos(toolStrip_->GetHWND(), nullptr, strip.x, strip.y, 0, 0, kStripFlags);
  }
}

void LogoDialog::OnReleased() {
  pressed_ = 0;
  Show(false, true);
  if (MainFrameHwnd != nullptr) PostMessageW(MainFrameHwnd, WM_MF_CHANGE_BIG_WINDOW, 0, 0);
}
