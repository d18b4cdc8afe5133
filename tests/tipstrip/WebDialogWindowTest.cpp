// The web dialogs in this process, without a page (their address is empty here): their size and
// place, the loading layout with its animation, the desktop as owner, dragging steps.
#include <gtest/gtest.h>

#include "CallDialog.h"
#include "DesktopStandIn.h"
#include "LeaveDialog.h"
#include "OwnedHandle.h"
#include "SkinWindow.h"
#include "SongDialog.h"
#include "StripTwin.h"
#include "TestSupport.h"
#include "controls/GifAnim.h"

namespace striptest {
namespace {

// No page: the dialog stays in its loading state.
template <typename Dialog>
class Quiet : public Dialog {
 public:
  std::string PageAddress() override { return std::string(); }
};

template <typename Dialog>
Dialog* Open(const wchar_t* title) {
  StartToolkitOnce();
  auto* dialog = new Dialog;
  dialog->Create(nullptr, title, WS_CAPTION, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                 CW_USEDEFAULT);
  dialog->Show(true, true);
  dialog->GetPaintManager().EnsureLayout();
  return dialog;
}

template <typename Dialog>
void Close(Dialog* dialog) {
  if (dialog->GetHWND() != nullptr) DestroyWindow(dialog->GetHWND());
  delete dialog;
}

ui::CGifAnimUI* FindGif(ui::CControlUI* control) {
  if (control == nullptr) return nullptr;
  if (auto* gif = static_cast<ui::CGifAnimUI*>(control->InterfaceFor(L"GifAnim"))) return gif;
  for (int i = 0; i < control->GetChildCount(); ++i) {
    if (auto* gif = FindGif(control->GetChildAt(i))) return gif;
  }
  return nullptr;
}

struct Instance {
  const char* name;
  int width;
  int height;
  int gap;
};

template <typename Dialog>
void CheckInstance(const Instance& expected, const wchar_t* title, HWND* handle) {
  SCOPED_TRACE(expected.name);
  auto* dialog = Open<Quiet<Dialog>>(title);
  HWND hwnd = dialog->GetHWND();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(*handle, hwnd);
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, expected.width);
  EXPECT_EQ(r.bottom - r.top, expected.height);
  const RECT work = WorkArea();
  EXPECT_EQ(r.left, (work.right - work.left - expected.width) / 2);
  EXPECT_EQ(r.top, (work.bottom - work.top - expected.height) / 2);
  EXPECT_TRUE(IsWindowVisible(hwnd));

  ui::PaintManager& manager = dialog->GetPaintManager();
  ui::CControlUI* load = manager.FindControl(L"Layout_load");
  ui::CControlUI* web = manager.FindControl(L"Layout_web");
  ASSERT_NE(load, nullptr);
  ASSERT_NE(web, nullptr);
  EXPECT_TRUE(load->IsVisible());
  EXPECT_FALSE(web->IsVisible());
  ui::CGifAnimUI* gif = FindGif(load);
  ASSERT_NE(gif, nullptr);
  // The column starts inside the 1-pixel inset; the animation sits the gap below its top.
  EXPECT_EQ(gif->GetPos().top, 1 + expected.gap);
  EXPECT_EQ((gif->GetPos().left + gif->GetPos().right) / 2, expected.width / 2);

  // The desktop-owner timer fires after 100 ms and must leave the animation's own timer alone.
  wintest::Pump(400);
  std::vector<size_t> frames;
  for (int i = 0; i < 12; ++i) {
    frames.push_back(gif->GetFrame());
    wintest::Pump(100);
  }
  bool moved = false;
  for (size_t f : frames) moved = moved || f != frames.front();
  EXPECT_TRUE(moved) << "the loading animation froze";

  // The page's ready notice switches to the page for good.
  SendMessageW(hwnd, WM_DLG_PAGE_READY, 0, 0);
  EXPECT_FALSE(load->IsVisible());
  EXPECT_TRUE(web->IsVisible());
  if (strcmp(expected.name, "CallDialog") == 0) {
    wintest::Pump(200);
    wintest::SavePng(wintest::GrabScreen(hwnd), L"webdialog_quiet_after_ready.png");
  }
  Close(dialog);
}

TEST(WebDialogs, SizePlaceLoadingGapAndAnimation) {
  CheckInstance<CallDialog>({"CallDialog", 500, 350, 130}, L"呼叫网管", &CallDialogHwnd);
  CheckInstance<LeaveDialog>({"LeaveDialog", 500, 600, 270}, L"网吧留言", &LeaveDialogHwnd);
  CheckInstance<SongDialog>({"SongDialog", 500, 350, 130}, L"点歌台", &SongDialogHwnd);
}

TEST(WebDialogs, TheDesktopBecomesTheOwnerAfter100Ms) {
  testsupport::DesktopStandIn desktop;
  ASSERT_TRUE(desktop.view);
  if (!desktop.IsTheDesktop()) GTEST_SKIP() << "another desktop window";
  auto* dialog = Open<Quiet<SongDialog>>(L"点歌台");
  EXPECT_EQ(GetWindow(dialog->GetHWND(), GW_OWNER), nullptr);
  EXPECT_TRUE(testsupport::WaitFor(
      [&] { return GetWindow(dialog->GetHWND(), GW_OWNER) == desktop.view.Get(); }, 3000));
  Close(dialog);
}

TEST(WebDialogs, CaptionStepsMoveByTheCursorsTravelAndCloseHides) {
  auto* dialog = Open<Quiet<CallDialog>>(L"呼叫网管");
  HWND hwnd = dialog->GetHWND();
  RECT start{};
  GetWindowRect(hwnd, &start);
  // A step before any start changes nothing.
  SendMessageW(hwnd, WM_DLG_CAPTION_MOVE, 5, 5);
  RECT r{};
  GetWindowRect(hwnd, &r);
  EXPECT_TRUE(EqualRect(&r, &start));

  SetCursorPos(700, 500);
  SendMessageW(hwnd, WM_DLG_CAPTION_DOWN, 3, 4);
  const POINT steps[] = {{730, 520}, {650, 440}, {700, 500}, {900, 100}};
  for (const POINT& p : steps) {
    SetCursorPos(p.x, p.y);
    SendMessageW(hwnd, WM_DLG_CAPTION_MOVE, 1234, 5678);
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, start.left + p.x - 700);
    EXPECT_EQ(r.top, start.top + p.y - 500);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 350);
  }
  SendMessageW(hwnd, WM_DLG_CAPTION_UP, 0, 0);
  SendMessageW(hwnd, WM_DLG_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  EXPECT_TRUE(IsWindow(hwnd));
  Close(dialog);
}

}  // namespace
}  // namespace striptest
