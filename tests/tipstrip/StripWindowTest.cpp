// The tool strip's window in this process: its buttons from the profile, its place on the real
// work area, its look, and that hovering changes nothing on screen.
#include <gtest/gtest.h>

#include "SkinWindow.h"
#include "StripPlacement.h"
#include "StripTwin.h"
#include "TestSupport.h"
#include "TipBtn.h"

namespace striptest {
namespace {

std::vector<ToolEntry> BuiltIns(int count) {
  const char* names[] = {"商品点购", "呼叫网管", "网吧留言", "点歌申请"};
  std::vector<ToolEntry> tools;
  for (int i = 0; i < count; ++i) tools.push_back(Tool(true, 0, names[i % 4]));
  return tools;
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

void ExpectPlaced(HWND hwnd, const StripPlacement& p) {
  const RECT r = WindowRect(hwnd);
  EXPECT_EQ(r.left, p.x);
  EXPECT_EQ(r.top, p.y);
  EXPECT_EQ(r.right - r.left, p.width);
  EXPECT_EQ(r.bottom - r.top, p.height);
}

TEST(TipDialog, BuildsButtonsFromTheOpenToolsInOrder) {
  // The profile example: open shop, closed call, no-name program (no button), open type 0
  // "其他" (not built in), then every built-in name in another case-insensitive spelling and a
  // type outside 0 and 1.
  std::vector<ToolEntry> tools = {
      Tool(true, 0, "商品点购"), Tool(false, 0, "呼叫网管"), Tool(true, 1, "", "x.exe"),
      Tool(true, 1, "游戏", ""), Tool(true, 0, "其他"),      Tool(true, 0, "点歌申请"),
      Tool(true, 2, "呼叫网管"), Tool(true, 0, "网吧留言"),  Tool(true, 0, "呼叫网管")};
  TipDialog* strip = MakeStrip(0, tools, false);
  ui::CControlUI* list = strip->GetPaintManager().FindControl(L"TipList");
  ASSERT_NE(list, nullptr);
  const struct {
    const wchar_t* text;
    UINT_PTR tag;
    const wchar_t* icon;
  } expected[] = {{L"商品点购", 3, L"UI/icon_shop.png"},
                  {L"点歌申请", 4, L"UI/icon_music.png"},
                  {L"网吧留言", 2, L"UI/icon_msg.png"},
                  {L"呼叫网管", 1, L"UI/icon_call.png"}};
  ASSERT_EQ(list->GetChildCount(), 4);
  for (int i = 0; i < 4; ++i) {
    ui::CControlUI* button = list->GetChildAt(i);
    ASSERT_NE(button->InterfaceFor(L"TipBtn"), nullptr);
    EXPECT_EQ(button->GetText(), expected[i].text);
    EXPECT_EQ(button->GetTag(), expected[i].tag);
    EXPECT_EQ(button->GetBkImage().file, expected[i].icon);
    EXPECT_EQ(button->GetFixedWidth(), 70);
    EXPECT_EQ(button->GetFixedHeight(), 90);
    EXPECT_FALSE(static_cast<TipBtn*>(button->InterfaceFor(L"TipBtn"))->IsProgram());
  }
  EXPECT_EQ(strip->StripHeight(), 4 * 90 + 26);
  DestroyStrip(strip);
}

TEST(TipDialog, EveryPlaceOnTheRealWorkArea) {
  const RECT work = WorkArea();
  const int workW = work.right - work.left;
  const int workH = work.bottom - work.top;
  for (int place : {0, 1, 2, 3, 4, 5, 9, -3}) {
    for (int count : {0, 2, 12}) {
      SCOPED_TRACE("place " + std::to_string(place) + ", " + std::to_string(count) + " buttons");
      TipDialog* strip = MakeStrip(place, BuiltIns(count), false);
      const StripPlacement p = PlaceStrip(place, count, workW, workH);
      ExpectPlaced(strip->GetHWND(), p);
      EXPECT_EQ(strip->StripWidth(), p.width);
      EXPECT_EQ(strip->StripHeight(), p.height);
      const std::vector<ui::Rect> buttons = ButtonRects(*strip);
      ASSERT_EQ(static_cast<int>(buttons.size()), count);
      if (count == 2 && p.width > 0) {
        // Across: one row of two columns; otherwise one column.
        if (p.across) {
          EXPECT_EQ(buttons[0].top, buttons[1].top);
          EXPECT_GE(buttons[1].left, buttons[0].right);
        } else {
          EXPECT_EQ(buttons[0].left, buttons[1].left);
          EXPECT_GE(buttons[1].top, buttons[0].bottom);
        }
        for (const ui::Rect& b : buttons) {
          EXPECT_EQ(b.Width(), 70);
          EXPECT_EQ(b.Height(), 90);
          EXPECT_GE(b.left, 0);
          EXPECT_LE(b.right, p.width);
          EXPECT_LE(b.bottom, p.height);
        }
      }
      DestroyStrip(strip);
    }
  }
}

TEST(TipDialog, OnA1920By1080WorkAreaTheExampleStripsSitAsComputed) {
  const RECT work = WorkArea();
  if (work.right - work.left != 1920 || work.bottom - work.top != 1080)
    GTEST_SKIP() << "display is not 1920x1080";
  TipDialog* right = MakeStrip(0, BuiltIns(2), true);
  const RECT r = WindowRect(right->GetHWND());
  EXPECT_EQ(r.left, 1820);
  EXPECT_EQ(r.top, (1080 - 206) / 2);
  EXPECT_EQ(r.right - r.left, 90);
  EXPECT_EQ(r.bottom - r.top, 206);
  wintest::Pump(300);
  wintest::SavePng(wintest::GrabScreen(right->GetHWND()), L"tipstrip_place0.png");
  DestroyStrip(right);

  TipDialog* top = MakeStrip(2, BuiltIns(2), true);
  const RECT t = WindowRect(top->GetHWND());
  EXPECT_EQ(t.left, 857);
  EXPECT_EQ(t.top, 5);
  EXPECT_EQ(t.right - t.left, 206);
  EXPECT_EQ(t.bottom - t.top, 95);
  wintest::Pump(300);
  wintest::SavePng(wintest::GrabScreen(top->GetHWND()), L"tipstrip_place2.png");
  DestroyStrip(top);
}

TEST(TipDialog, NoOpenToolsGiveAnEmptyStrip) {
  TipDialog* strip = MakeStrip(0, {Tool(false, 0, "商品点购"), Tool(true, 3, "商品点购")}, true);
  const RECT r = WindowRect(strip->GetHWND());
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  DestroyStrip(strip);
}

TEST(TipDialog, HoveringTheButtonsChangesNothingOnScreen) {
  TipDialog* strip = MakeStrip(1, BuiltIns(3), true);
  HWND hwnd = strip->GetHWND();
  SetCursorPos(600, 600);
  wintest::Pump(400);
  const wintest::Pixels before = wintest::GrabScreen(hwnd);
  ASSERT_GT(before.width, 0);
  const std::vector<ui::Rect> buttons = ButtonRects(*strip);
  ASSERT_EQ(buttons.size(), 3u);
  ui::CControlUI* list = strip->GetPaintManager().FindControl(L"TipList");
  for (size_t i = 0; i < buttons.size(); ++i) {
    const ui::Rect& b = buttons[i];
    auto* button = static_cast<TipBtn*>(list->GetChildAt(static_cast<int>(i))->InterfaceFor(L"TipBtn"));
    POINT at{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
    ClientToScreen(hwnd, &at);
    SetCursorPos(at.x, at.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof in);
    // The button under the cursor has taken the move; what it would repaint is painted now.
    EXPECT_TRUE(testsupport::WaitFor([&] { return button->IsHotNow(); }, 5000)) << i;
    UpdateWindow(hwnd);
    EXPECT_TRUE(testsupport::HandlePostedMessages());
    const wintest::Pixels now = wintest::GrabScreen(hwnd);
    EXPECT_EQ(now.data, before.data) << i;
  }
  SetCursorPos(600, 600);
  DestroyStrip(strip);
}

}  // namespace
}  // namespace striptest
