#include "MainFrame.h"

#include "ClientMessages.h"
#include "ClientSettings.h"
#include "LogoDialog.h"
#include "PageAddress.h"
#include "ScriptBridge.h"
#include "StartSteps.h"
#include "TipDialog.h"
#include "VenueProfile.h"
#include "WebEngine.h"
#include "WebkitUI.h"
#include "WindowPlacement.h"
#include "WindowTimers.h"
#include "window/DesktopOwner.h"

const wchar_t kMainFrameTitle[] = L"Tamvik-客户端";

namespace {

const UINT kPlaceFlags = SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
// The tool strip's place attached above the logo or the main frame.
const int32_t kAttachedPosition = 5;

const int kScriptLogo = 1;
const int kScriptLarge = 2;
const int kScriptSmall = 3;
const int kScriptReload = 9;
const int kScriptPaySuccess = 100;

}  // namespace

ui::CControlUI* MainFrame::CreateCustomControl(const wchar_t* elementName) {
  return WebkitUI::CreateFor(elementName);
}

void MainFrame::OnInit() {
  MarkStartStep("main frame tree");
  MainFrameHwnd = hwnd_;
  SetTimer(hwnd_, TIMER_DESKTOP_OWNER, kWindowTimerPeriodMs, nullptr);
  ComputePlacement();

  const ClientSettings& settings = GetClientSettings();
  // The window is shown normally right after its creation; the mode follows that first show
  // (posted: it is handled once the logo and the strip below exist).
  PostMessageToSelf(settings.showlogo ? WM_MF_SHOW_LOGO : WM_MF_SHOW_SMALL);

  // The shop page is asked for before the logo and the strip are built, so that its fetch runs
  // meanwhile. The engine builds the page from the message loop, after this start and after the
  // mode posted above.
  ui::CControlUI* view = GetPaintManager().FindControl(L"ie");
  if (view != nullptr) shopView_ = static_cast<WebkitUI*>(view->InterfaceFor(L"WebkitUI"));
  if (shopView_ != nullptr) {
    BindShopFunctions();
    const std::string url = BuildShopUrl();
    if (!url.empty()) shopView_->LoadUrl(url);
    MarkStartStep("page requested");
    if (settings.devtools) shopView_->ShowDevTools();
  }

  if (logo_ == nullptr) {
    logo_ = new LogoDialog();
    logo_->Create(nullptr, L"Logo", WS_CAPTION, WS_EX_TOOLWINDOW);
  }
  MarkStartStep("logo window");

  const VenueProfile& profile = GetVenueProfile();
  if (settings.tip_show || !profile.client_toolbar.empty()) {
    if (toolStrip_ == nullptr) {
      toolStrip_ = new TipDialog();
      toolStrip_->Create(nullptr, L"Tip", WS_CAPTION, WS_EX_TOOLWINDOW);
      toolStrip_->Show(true, true);
    }
    if (profile.client_position == kAttachedPosition) logo_->AttachToolStrip(toolStrip_);
  }
  MarkStartStep("strip window");

  if (profile.client_is_mini) SetTimer(hwnd_, TIMER_START_LOGO, kWindowTimerPeriodMs, nullptr);
}

void MainFrame::ComputePlacement() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }
  const ShopPlacement p = ComputeShopPlacement(GetClientSettings(), info.rcWork);
  smallWidth_ = static_cast<uint32_t>(p.smallWidth);
  smallHeight_ = static_cast<uint32_t>(p.smallHeight);
  largeWidth_ = static_cast<uint32_t>(p.largeWidth);
  largeHeight_ = static_cast<uint32_t>(p.largeHeight);
  smallX_ = p.smallX;
  smallY_ = p.smallY;
  largeX_ = p.largeX;
  largeY_ = p.largeY;
}

LRESULT MainFrame::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      if (!firstPaintSeen_) {
        firstPaintSeen_ = true;
        MarkStartStep("first paint");
      }
      break;
    case WM_MF_PAGE_READY:
      if (!pageReadySeen_) {
        pageReadySeen_ = true;
        MarkStartStep("page ready");
        MarkStartStep("engine calls (sum)", EngineCallMs());
      }
      break;
    case WM_TIMER:
      KillTimer(hwnd_, wParam);
      if (wParam == TIMER_START_LOGO) {
        ShowLogoMode();
      } else if (wParam == TIMER_DESKTOP_OWNER) {
        SetDesktopOwner(hwnd_);
      }
      return 0;
    case WM_MF_SHOW_LOGO:
      ShowLogoMode();
      return 0;
    case WM_MF_SHOW_SMALL:
      ShowSmallMode();
      return 0;
    case WM_MF_SHOW_LARGE:
      ShowLargeMode();
      return 0;
    case WM_MF_SCRIPT:
      OnScript(wParam);
      return 0;
    case WM_MF_MORE_PRODUCT:
      MoreProduct();
      return 0;
    case WM_MF_CHANGE_BIG_WINDOW:
      ChangeBigWindow(wParam != 0);
      return 0;
    default:
      break;
  }
  return WindowImplBase::OnMessage(msg, wParam, lParam);
}

void MainFrame::OnScript(WPARAM code) {
  switch (code) {
    case kScriptLogo:
      ShowLogoMode();
      break;
    case kScriptLarge:
      ShowLargeMode();
      break;
    case kScriptSmall:
      ShowSmallMode();
      break;
    case kScriptReload:
      if (shopView_ != nullptr && shopView_->EngineView() != nullptr)
        WkeCall(wkeReload, shopView_->EngineView());
      break;
    case kScriptPaySuccess:
      PaySuccess();
      break;
    default:
      break;
  }
}

bool MainFrame::StripAttached() const {
  return toolStrip_ != nullptr && GetVenueProfile().client_position == kAttachedPosition;
}

void MainFrame::PlaceStripAbove(int x, int y, int width) {
  const POINT at = StripAbove(x, y, width, toolStrip_->StripWidth(), toolStrip_->StripHeight());
  SetWindowPos(toolStrip_->GetHWND(), nullptr, at.x, at.y, 0, 0, kPlaceFlags | SWP_NOSIZE);
}

void MainFrame::ShowAt(int x, int y, int width, int height) {
  SetWindowPos(hwnd_, nullptr, x, y, width, height, kPlaceFlags);
  if (StripAttached()) PlaceStripAbove(x, y, width);
  if (logo_ != nullptr) logo_->Show(false, true);
}

void MainFrame::ShowLargeMode() {
  large_ = 1;
  ShowAt(largeX_, largeY_, static_cast<int>(largeWidth_), static_cast<int>(largeHeight_));
}

void MainFrame::ShowSmallMode() {
  large_ = 0;
  ShowAt(smallX_, smallY_, static_cast<int>(smallWidth_), static_cast<int>(smallHeight_));
}

void MainFrame::ShowLogoMode() {
  if (logo_ == nullptr) {
    if (toolStrip_ != nullptr) toolStrip_->Show(false, true);
    return;
  }
  logo_->Show(true, true);
  Show(false, true);
  RECT logo{};
  GetWindowRect(logo_->GetHWND(), &logo);
  if (StripAttached()) PlaceStripAbove(logo.left, logo.top, logo.right - logo.left);
}

void MainFrame::ChangeBigWindow(bool large) {
  if (large) {
    ShowLargeMode();
    if (shopView_ != nullptr) shopView_->RunScript(L"changeBigWindow()");
    return;
  }
  Show(true, true);
  if (logo_ != nullptr) logo_->Show(false, true);
  if (StripAttached()) {
    if (large_ != 0) {
      PlaceStripAbove(largeX_, largeY_, static_cast<int>(largeWidth_));
    } else {
      PlaceStripAbove(smallX_, smallY_, static_cast<int>(smallWidth_));
    }
    toolStrip_->Show(true, true);
  }
}

void MainFrame::MoreProduct() {
  if (shopView_ != nullptr) shopView_->RunScript(L"more_product()");
  if (logo_ != nullptr) logo_->Show(false, true);
  SetWindowPos(hwnd_, nullptr, largeX_, largeY_, static_cast<int>(largeWidth_),
               static_cast<int>(largeHeight_), kPlaceFlags);
}

void MainFrame::PaySuccess() {
  if (shopView_ != nullptr) shopView_->RunScript(L"show_pay_success()");
}
