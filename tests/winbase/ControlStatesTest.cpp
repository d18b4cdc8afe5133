// Control states in a window: enabled, mouse- and keyboard-enabled controls, the button states a
// derived button reads, the label text painting it reuses, and the separate timer id ranges of
// controls and windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SkinWindow.h"
#include "TestSupport.h"
#include "controls/Button.h"
#include "controls/RichEdit.h"
#include "model/Container.h"
#include "render/Canvas.h"
#include "render/ControlPaint.h"
#include "window/TimerIds.h"
#include "window/WindowSide.h"

using wintest::SkinWindow;

namespace {

constexpr wchar_t kLogin[] = L"Xmls\\LoginDialog.xml";

class ControlStatesTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::StartTestToolkit(); }
};

struct ClickCase {
  const char* name;
  bool enabled;
  bool mouse;
  size_t clicks;
};

TEST_F(ControlStatesTest, OnlyAnEnabledMouseEnabledButtonIsClicked) {
  const ClickCase cases[] = {
      {"enabled", true, true, 1},
      {"disabled", false, true, 0},
      {"not mouse-enabled", true, false, 0},
  };
  for (const ClickCase& c : cases) {
    SkinWindow window(kLogin);
    ASSERT_NE(window.CreateAsDialog(), nullptr) << c.name;
    ui::CControlUI* ok = window.Find(L"okbtn");
    ASSERT_NE(ok, nullptr);
    ok->SetEnabled(c.enabled);
    ok->SetMouseEnabled(c.mouse);
    wintest::PostClick(window.GetHWND(), wintest::CenterOf(ok));
    // The close comes after the click in the queue, so the click has been handled by then.
    window.Close(4);
    EXPECT_EQ(window.ShowModal(), 4u) << c.name;
    EXPECT_EQ(window.clickSenders.size(), c.clicks) << c.name;
  }
}

TEST_F(ControlStatesTest, ADisabledLayoutClosesItsButtonsToTheMouse) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  ui::CControlUI* ok = window.Find(L"okbtn");
  ASSERT_NE(ok, nullptr);
  ASSERT_NE(ok->GetParent(), nullptr);
  ok->GetParent()->SetEnabled(false);
  const POINT centre = wintest::CenterOf(ok);
  EXPECT_NE(window.GetPaintManager().FindControl(centre), ok);
  ok->GetParent()->SetEnabled(true);
  EXPECT_EQ(window.GetPaintManager().FindControl(centre), ok);
  // A layout that only ignores the mouse lets it through to its children.
  ok->GetParent()->SetMouseEnabled(false);
  EXPECT_EQ(window.GetPaintManager().FindControl(centre), ok);
}

struct KeyCase {
  const char* name;
  bool enabled;
  bool keyboard;
  bool typed;
};

TEST_F(ControlStatesTest, KeysReachTheFocusedInputOnlyWhileItTakesThem) {
  const KeyCase cases[] = {
      {"enabled", true, true, true},
      {"disabled", false, true, false},
      {"not keyboard-enabled", true, false, false},
  };
  for (const KeyCase& c : cases) {
    SkinWindow window(kLogin);
    ASSERT_NE(window.CreateAsDialog(), nullptr) << c.name;
    auto* input = static_cast<ui::CRichEditUI*>(window.Find(L"input"));
    ASSERT_NE(input, nullptr);
    input->Focus();
    input->SetEnabled(c.enabled);
    input->SetKeyboardEnabled(c.keyboard);
    PostMessageW(window.GetHWND(), WM_CHAR, L'a', 1);
    window.Close(4);
    EXPECT_EQ(window.ShowModal(), 4u) << c.name;
    EXPECT_EQ(input->GetText(), c.typed ? L"a" : L"") << c.name;
  }
}

// A button of a client window: it draws its own face from the states it reads and reuses the
// label's text painting.
class FaceButton : public ui::CButtonUI {
 public:
  void DoPaint(ui::Canvas& canvas) override {
    ui::Color face = IsPushed() && IsHot() ? 0xFF0000FFu : (IsHot() ? 0xFF00FF00u : 0xFFFF0000u);
    canvas.FillRect(GetPos(), face);
    PaintText(canvas, ui::kTextSingleLine | ui::kTextVCenter);
    states.push_back(std::string(IsHot() ? "hot" : "-") + (IsPushed() ? "+pushed" : ""));
  }
  std::vector<std::string> states;
};

TEST_F(ControlStatesTest, ADerivedButtonReadsHotAndPushedAndPaintsLabelText) {
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  HWND hwnd = window.GetHWND();
  // The button alone over the whole window (a plain container stacks its children over its
  // inner area).
  auto root = std::make_unique<ui::CContainerUI>();
  auto* button = new FaceButton;
  button->SetText(L"MMMMMMMM");
  button->SetTextColor(0xFFFFFFFF);
  root->Add(button);
  ASSERT_TRUE(window.GetPaintManager().AttachRoot(std::move(root)));
  window.GetPaintManager().EnsureLayout();
  const ui::Rect pos = button->GetPos();
  ASSERT_FALSE(pos.IsEmpty());
  const POINT inside{pos.left + 3, pos.top + 3};

  auto colourAt = [&](POINT p) { return wintest::PrintClient(hwnd).At(p.x, p.y); };
  EXPECT_EQ(colourAt(inside), 0xFF0000u);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
  EXPECT_TRUE(button->IsHot());
  EXPECT_EQ(colourAt(inside), 0x00FF00u);
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
  EXPECT_TRUE(button->IsPushed());
  EXPECT_EQ(colourAt(inside), 0x0000FFu);
  SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
  EXPECT_FALSE(button->IsPushed());
  EXPECT_EQ(window.clickSenders, (std::vector<ui::CControlUI*>{button}));

  // The label's text painting drew white text over the face somewhere in the middle row.
  const wintest::Pixels pixels = wintest::PrintClient(hwnd);
  const int row = (pos.top + pos.bottom) / 2;
  bool text = false;
  for (int y = row - 3; y <= row + 3 && !text; ++y) {
    for (int x = pos.left; x < pos.right && !text; ++x) text = pixels.At(x, y) != 0x00FF00u;
  }
  EXPECT_TRUE(text);
  EXPECT_FALSE(button->states.empty());
}

TEST_F(ControlStatesTest, ControlTimersTakeTheirOwnIdRangeInTurn) {
  static_assert(ui::kLastWindowTimerId < ui::kFirstControlTimerId, "window ids below control ids");
  static_assert(ui::kLastControlTimerId < ui::kCaretTimerId, "the caret after the controls");
  SkinWindow window(kLogin);
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  HWND hwnd = window.GetHWND();
  ui::PaintManager& pm = window.GetPaintManager();
  ui::CControlUI* a = window.Find(L"logo");
  ui::CControlUI* b = window.Find(L"name");
  // The client's windows use 10 and 50 for their own timers.
  ASSERT_NE(SetTimer(hwnd, 10, 10000, nullptr), 0u);
  ASSERT_NE(SetTimer(hwnd, 50, 10000, nullptr), 0u);
  ASSERT_TRUE(pm.SetTimer(a, 1, 10000));
  ASSERT_TRUE(pm.SetTimer(b, 1, 10000));
  // Native timers exist now with the first two control ids: killing them through the system
  // succeeds; the window's own timers are untouched by the manager.
  EXPECT_TRUE(KillTimer(hwnd, ui::kFirstControlTimerId));
  EXPECT_TRUE(KillTimer(hwnd, ui::kFirstControlTimerId + 1));
  EXPECT_FALSE(KillTimer(hwnd, ui::kFirstControlTimerId + 2));
  LRESULT result = 0;
  EXPECT_FALSE(pm.MessageHandler(WM_TIMER, 10, 0, result));
  EXPECT_FALSE(pm.MessageHandler(WM_TIMER, 50, 0, result));
  EXPECT_TRUE(KillTimer(hwnd, 10));
  EXPECT_TRUE(KillTimer(hwnd, 50));
  EXPECT_TRUE(pm.KillTimer(a, 1));
  EXPECT_FALSE(pm.KillTimer(a, 1));
}

TEST(ControlTimerIds, HandedOutInTurnWithinTheRange) {
  using Timer = ui::WindowSide::ControlTimer;
  const UINT first = ui::kFirstControlTimerId;
  const UINT last = ui::kLastControlTimerId;
  EXPECT_EQ(ui::NextControlTimerId({}, last), first);
  EXPECT_EQ(ui::NextControlTimerId({}, first), first + 1);
  EXPECT_EQ(ui::NextControlTimerId({Timer{nullptr, 1, first + 1}}, first), first + 2);
  EXPECT_EQ(ui::NextControlTimerId({Timer{nullptr, 1, first}}, last), first + 1);
  std::vector<Timer> all;
  for (UINT id = first; id <= last; ++id) all.push_back(Timer{nullptr, 1, id});
  EXPECT_EQ(ui::NextControlTimerId(all, first), 0u);
}

}  // namespace
