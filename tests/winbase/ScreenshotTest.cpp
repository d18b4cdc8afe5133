// Pictures of the login and message layouts for a person to look at (ORV_TEST_OUTPUT), and the
// checks a picture allows: colours and images where the layouts put them.
#include <gtest/gtest.h>

#include "controls/Button.h"
#include "controls/Label.h"
#include "controls/RichEdit.h"
#include "controls/Text.h"
#include "controls/RichEditInput.h"
#include "SkinWindow.h"

using wintest::SkinWindow;

namespace {

class ScreenshotTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::StartTestToolkit(); }

  // Shows the window, lets it paint, saves what the toolkit paints and what the screen shows.
  wintest::Pixels Shoot(SkinWindow& window, const std::wstring& name) {
    window.Center();
    window.Show(true, true);
    UpdateWindow(window.GetHWND());
    wintest::Pump(400);
    wintest::Pixels painted = wintest::PrintClient(window.GetHWND());
    wintest::SavePng(painted, name + L".png");
    wintest::SavePng(wintest::GrabScreen(window.GetHWND()), name + L"-screen.png");
    return painted;
  }
};

TEST_F(ScreenshotTest, LoginLayout) {
  SkinWindow window(L"Xmls\\LoginDialog.xml");
  ASSERT_NE(window.CreateAsDialog(L"登录"), nullptr);
  if (ui::CControlUI* name = window.Find(L"name")) name->SetText(L"登录Tamvik客户端");
  const wintest::Pixels p = Shoot(window, L"login");
  ASSERT_EQ(p.width, 360);
  ASSERT_EQ(p.height, 300);
  EXPECT_EQ(p.At(0, 150), 0xCCCCCCu) << "the 1-pixel border";
  EXPECT_EQ(p.At(359, 150), 0xCCCCCCu);
  EXPECT_EQ(p.At(20, 150), 0xFFFFFFu) << "the white background";
  const POINT ok = wintest::CenterOf(window.Find(L"okbtn"));
  EXPECT_EQ(p.At(window.Find(L"okbtn")->GetPos().left + 3, ok.y), 0xFFD47Du) << "the OK button's colour";
  const ui::Rect close = window.Find(L"closebtn")->GetPos();
  bool closeDrawn = false;
  for (int y = close.top; y < close.bottom; ++y) {
    for (int x = close.left; x < close.right; ++x) closeDrawn = closeDrawn || p.At(x, y) != 0xFFFFFF;
  }
  EXPECT_TRUE(closeDrawn) << "the close button's image";
}

TEST_F(ScreenshotTest, LoginLayoutWithTypedAndSelectedText) {
  SkinWindow window(L"Xmls\\LoginDialog.xml");
  ASSERT_NE(window.CreateAsDialog(L"登录"), nullptr);
  auto* input = static_cast<ui::CRichEditUI*>(window.Find(L"input"));
  ASSERT_NE(input, nullptr);
  input->Focus();
  input->SetText(L"网吧test01");
  input->Input().Model().Select(2, 6);
  input->Invalidate();
  const wintest::Pixels p = Shoot(window, L"login-typed");
  int selection = 0;
  const ui::Rect area = input->GetPos();
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) selection += p.At(x, y) == 0x3399FFu ? 1 : 0;
  }
  EXPECT_GT(selection, 20) << "the selection is highlighted";
}

TEST_F(ScreenshotTest, MessageLayoutOneButtonAndALongText) {
  SkinWindow window(L"Xmls\\MsgDialog.xml");
  ASSERT_NE(window.CreateAsDialog(L"提示"), nullptr);
  ui::CControlUI* msg = window.Find(L"LabelMsg");
  ASSERT_NE(msg, nullptr);
  std::wstring longText;
  for (int i = 0; i < 12; ++i) longText += L"网络连接失败，请检查网络后重试。";
  msg->SetText(longText);
  ui::CControlUI* cancel = window.Find(L"cancelbtn");
  ASSERT_NE(cancel, nullptr);
  cancel->SetVisible(false);
  const wintest::Pixels p = Shoot(window, L"message");
  ASSERT_EQ(p.width, 360);
  ASSERT_EQ(p.height, 240);
  const ui::Rect ok = window.Find(L"okbtn")->GetPos();
  EXPECT_EQ((ok.left + ok.right) / 2, 180) << "alone, the OK button is centred";
  const ui::Rect text = msg->GetPos();
  EXPECT_EQ(text.bottom, 240 - 20 - 30 - 15) << "a long text does not grow its row";
  for (int y = text.bottom; y < ok.top; ++y) {
    for (int x = 1; x < 359; ++x)
      ASSERT_EQ(p.At(x, y), 0xFFFFFFu) << "nothing drawn below the text at " << x << "," << y;
  }
}

TEST_F(ScreenshotTest, MessageLayoutTwoButtons) {
  SkinWindow window(L"Xmls\\MsgDialog.xml");
  ASSERT_NE(window.CreateAsDialog(L"提示"), nullptr);
  if (ui::CControlUI* msg = window.Find(L"LabelMsg")) msg->SetText(L"登录失败，是否重试？");
  if (ui::CControlUI* ok = window.Find(L"okbtn")) ok->SetText(L"重试");
  const wintest::Pixels p = Shoot(window, L"message-retry");
  const ui::Rect cancel = window.Find(L"cancelbtn")->GetPos();
  EXPECT_EQ(p.At(cancel.left + 3, (cancel.top + cancel.bottom) / 2), 0xA7A5A3u)
      << "the cancel button's colour";
}

}  // namespace
