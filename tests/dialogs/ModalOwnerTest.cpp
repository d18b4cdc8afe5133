// The owner of a modal dialog: the desktop's stand-in windows, centring on the owner, and the
// ways out of the modal loop that must leave the owner enabled.
#include <gtest/gtest.h>

#include "DesktopStandIn.h"
#include "DialogDriver.h"
#include "LoginDialog.h"
#include "MsgDialog.h"
#include "OwnedHandle.h"
#include "SkinWindow.h"
#include "window/ModalLoop.h"

using namespace dialogtest;

namespace {

using testsupport::DesktopStandIn;
using testsupport::RegisterPlainClass;

class ModalOwnerTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::StartTestToolkit(); }
};

TEST_F(ModalOwnerTest, TheDesktopIsDisabledWhileTheLoginDialogIsOpenThenEnabledAndFocused) {
  DesktopStandIn desktop;
  ASSERT_TRUE(desktop.view);
  if (!desktop.IsTheDesktop()) {
    GTEST_SKIP() << "another desktop window is found first";
  }
  HWND owner = nullptr;
  bool enabledWhileOpen = true;
  RECT dialogRect{};
  const Rects rects = LoginDialogRects();
  User user(L"LoginDialog", [&](HWND window) {
    owner = GetWindow(window, GW_OWNER);
    enabledWhileOpen = IsWindowEnabled(desktop.view.Get()) != FALSE;
    GetWindowRect(window, &dialogRect);
    ClickAt(window, Centre(rects.at(L"closebtn")));
  });
  std::wstring entered;
  EXPECT_EQ(RunLoginDialog(entered), 2);
  EXPECT_EQ(owner, desktop.view.Get());
  EXPECT_FALSE(enabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(desktop.view.Get()));
  EXPECT_EQ(GetFocus(), desktop.view.Get());
  // Centred on its owner, the desktop's view at (100, 80) to (700, 480).
  EXPECT_EQ(dialogRect.left, 400 - 180);
  EXPECT_EQ(dialogRect.top, 280 - 150);
}

TEST_F(ModalOwnerTest, CentringOnAnOwnerKeepsTheWindowInsideTheWorkArea) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT work = monitor.rcWork;
  struct CentreCase {
    const char* name;
    RECT owner;
    POINT expected;
  };
  const CentreCase cases[] = {
      {"inside", {200, 150, 800, 550}, {500 - 180, 350 - 120}},
      {"owner at the top left corner",
       {work.left, work.top, work.left + 100, work.top + 60},
       {work.left, work.top}},
      {"owner past the bottom right",
       {work.right - 50, work.bottom - 30, work.right + 200, work.bottom + 200},
       {work.right - 360, work.bottom - 240}},
  };
  RegisterPlainClass(L"OrvOwnerStandIn");
  for (const CentreCase& c : cases) {
    SCOPED_TRACE(c.name);
    UniqueWindow owner(CreateWindowExW(0, L"OrvOwnerStandIn", L"owner", WS_POPUP, c.owner.left, c.owner.top,
                                       c.owner.right - c.owner.left, c.owner.bottom - c.owner.top, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(owner);
    MsgDialog dialog;
    ASSERT_NE(dialog.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW), nullptr);
    SetWindowLongPtrW(dialog.GetHWND(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner.Get()));
    dialog.Center();
    RECT r{};
    GetWindowRect(dialog.GetHWND(), &r);
    EXPECT_EQ(r.left, c.expected.x);
    EXPECT_EQ(r.top, c.expected.y);
  }
}

TEST_F(ModalOwnerTest, QuitEndsTheLoopWithZeroPostsItAgainAndEnablesTheOwner) {
  RegisterPlainClass(L"OrvOwnerStandIn");
  UniqueWindow owner(CreateWindowExW(0, L"OrvOwnerStandIn", L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 200,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  MsgDialog dialog;
  ASSERT_NE(dialog.CreateWindowForMessage(), nullptr);
  SetWindowLongPtrW(dialog.GetHWND(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner.Get()));
  PostQuitMessage(23);
  EXPECT_EQ(dialog.ShowModal(), 0u);
  EXPECT_TRUE(IsWindowEnabled(owner.Get()));
  MSG msg{};
  bool quitAgain = false;
  WPARAM code = 0;
  if (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    quitAgain = true;
    code = msg.wParam;
  }
  EXPECT_TRUE(quitAgain);
  EXPECT_EQ(code, 23u);
}

HWND g_ownerSeen = nullptr;
bool* g_released = nullptr;

// A named CALLBACK: a lambda converts to a plain (cdecl) function pointer, wrong on i686.
void CALLBACK ReleaseOwnersOnTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  KillTimer(hwnd, id);
  if (IsWindowEnabled(g_ownerSeen)) return;  // the loop has not disabled it: the check fails
  ui::EnableDisabledOwners();
  *g_released = IsWindowEnabled(g_ownerSeen) != FALSE;
  PostMessageW(hwnd, WM_CLOSE, 3, 0);
}

TEST_F(ModalOwnerTest, ReleasingTheOwnersEnablesTheOwnerOfARunningLoop) {
  RegisterPlainClass(L"OrvOwnerStandIn");
  UniqueWindow owner(CreateWindowExW(0, L"OrvOwnerStandIn", L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 200,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  // The release of owners, for the ends that skip the loop's own clean-up: while a loop runs it
  // enables the owner that loop disabled.
  bool enabledByRelease = false;
  MsgDialog dialog;
  ASSERT_NE(dialog.CreateWindowForMessage(), nullptr);
  SetWindowLongPtrW(dialog.GetHWND(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner.Get()));
  g_ownerSeen = owner.Get();
  g_released = &enabledByRelease;
  SetTimer(dialog.GetHWND(), 600, 50, ReleaseOwnersOnTimer);
  EXPECT_EQ(dialog.ShowModal(), 3u);
  EXPECT_TRUE(enabledByRelease);
  EXPECT_TRUE(IsWindowEnabled(owner.Get()));
}

}  // namespace
