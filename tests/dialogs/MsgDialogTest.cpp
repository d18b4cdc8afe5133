// The client's message box: its modes, the codes of its ways out, the long text and dragging.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "MsgDialog.h"
#include "SkinWindow.h"

using namespace dialogtest;

namespace {

const wchar_t kClass[] = L"MsgDialog";

class MsgDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::StartTestToolkit(); }
};

// Saves what the open dialog paints, for a person to look at.
void Shoot(HWND window, const std::wstring& name) {
  wintest::SavePng(wintest::PrintClient(window), name + L".png");
}

struct ModeCase {
  int mode;
  const wchar_t* okText;
  bool cancel;
  const wchar_t* shot;
};

const ModeCase kModes[] = {
    {0, L"确定", false, L"msgdialog-mode0"},
    {1, L"确定", true, L"msgdialog-mode1"},
    {2, L"重试", true, L"msgdialog-mode2"},
    {7, L"确定", false, L"msgdialog-mode7"},
};

TEST_F(MsgDialogTest, EachModeShowsItsButtonsAndReturnConfirms) {
  for (const ModeCase& c : kModes) {
    SCOPED_TRACE(c.mode);
    MsgDialog twin;
    ASSERT_NE(twin.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW), nullptr);
    twin.SetMessage(L"登录出错，请检查网络.", c.mode);
    twin.GetPaintManager().EnsureLayout();
    ui::CControlUI* ok = twin.GetPaintManager().FindControl(L"okbtn");
    ui::CControlUI* cancel = twin.GetPaintManager().FindControl(L"cancelbtn");
    ui::CControlUI* text = twin.GetPaintManager().FindControl(L"LabelMsg");
    ASSERT_TRUE(ok && cancel && text);
    EXPECT_EQ(text->GetText(), L"登录出错，请检查网络.");
    EXPECT_EQ(ok->GetText(), c.okText);
    EXPECT_TRUE(ok->IsVisible());
    EXPECT_EQ(cancel->IsVisible(), c.cancel);
    if (!c.cancel) {
      EXPECT_EQ(Centre(ok->GetPos()).x, 180) << "alone, the OK button is centred";
    }

    User user(kClass, [&](HWND window) {
      Shoot(window, c.shot);
      Press(window, VK_RETURN);
    });
    EXPECT_EQ(RunMsgDialog(L"登录出错，请检查网络.", c.mode), 1);
  }
}

struct ButtonCase {
  int mode;
  const wchar_t* button;
  int expected;
};

TEST_F(MsgDialogTest, ButtonsAndTheCloseButtonGiveTheirCodes) {
  const ButtonCase cases[] = {
      {0, L"closebtn", 2}, {1, L"closebtn", 2},  {2, L"closebtn", 2}, {0, L"okbtn", 1},
      {1, L"okbtn", 1},    {1, L"cancelbtn", 2}, {2, L"okbtn", 1},    {2, L"cancelbtn", 2},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << std::string(c.button, c.button + wcslen(c.button)));
    const Rects rects = MsgDialogRects(L"网吧信息出错，程序退出。", c.mode);
    ASSERT_EQ(rects.count(c.button), 1u);
    User user(kClass, [&](HWND window) { ClickAt(window, Centre(rects.at(c.button))); });
    EXPECT_EQ(RunMsgDialog(L"网吧信息出错，程序退出。", c.mode), c.expected);
  }
}

TEST_F(MsgDialogTest, HiddenCancelButtonCannotBeClicked) {
  const Rects rects = MsgDialogRects(L"网吧用户名不能为空，请重新输入", 1);
  User user(kClass, [&](HWND window) {
    // Where mode 1 has its cancel button, mode 0 has nothing to press.
    ClickAt(window, Centre(rects.at(L"cancelbtn")));
    Sleep(200);
    Press(window, VK_RETURN);
  });
  EXPECT_EQ(RunMsgDialog(L"网吧用户名不能为空，请重新输入", 0), 1);
}

TEST_F(MsgDialogTest, AltF4GivesZero) {
  for (int mode : {0, 2}) {
    User user(kClass, [](HWND window) { AltF4(window); });
    EXPECT_EQ(RunMsgDialog(L"提示", mode), 0) << mode;
  }
}

// The message's pixels in a dialog of the same class showing the text in mode 0.
wintest::Pixels MessageArea(MsgDialog& twin, const std::wstring& text, ui::Rect& area) {
  twin.SetMessage(text, 0);
  twin.GetPaintManager().EnsureLayout();
  area = twin.GetPaintManager().FindControl(L"LabelMsg")->GetPos();
  const wintest::Pixels all = wintest::PrintClient(twin.GetHWND());
  wintest::Pixels part;
  part.width = area.right - area.left;
  part.height = area.bottom - area.top;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) part.data.push_back(all.At(x, y));
  }
  return part;
}

TEST_F(MsgDialogTest, ALongMessageEndsInAnEllipsis) {
  std::wstring longText;
  for (int i = 0; i < 12; ++i) longText += L"网络连接失败，请检查网络后重试。";
  MsgDialog twin;
  ASSERT_NE(twin.Create(nullptr, L"", WS_POPUP, WS_EX_TOOLWINDOW), nullptr);
  ui::Rect area;
  const wintest::Pixels shown = MessageArea(twin, longText, area);
  EXPECT_EQ(area.bottom, 240 - 20 - 30 - 15) << "the long text does not grow its row";
  // What is shown is the beginning of the text with an ellipsis in place of the rest.
  size_t kept = 0;
  // (The shortest such beginning: every longer one is cut at the same place.)
  for (size_t k = 1; k < longText.size() && kept == 0; ++k) {
    ui::Rect ignored;
    if (MessageArea(twin, longText.substr(0, k) + L"\u2026", ignored).data == shown.data) kept = k;
  }
  EXPECT_GT(kept, 20u);
  EXPECT_LT(kept, longText.size() - 16);

  User user(kClass, [&](HWND window) {
    Shoot(window, L"msgdialog-long");
    Press(window, VK_RETURN);
  });
  EXPECT_EQ(RunMsgDialog(longText, 0), 1);
}

TEST_F(MsgDialogTest, DraggingTheTitleRowMovesTheBox) {
  RECT before{};
  RECT after{};
  User user(kClass, [&](HWND window) {
    GetWindowRect(window, &before);
    DragBy(window, POINT{60, 20}, 50, 40);
    PollFor(
        [&] {
          GetWindowRect(window, &after);
          return after.left != before.left;
        },
        3000);
    Sleep(100);
    GetWindowRect(window, &after);
    Press(window, VK_RETURN);
  });
  EXPECT_EQ(RunMsgDialog(L"拖动", 0), 1);
  EXPECT_EQ(after.left - before.left, 50);
  EXPECT_EQ(after.top - before.top, 40);
}

}  // namespace
