// The login dialog: what comes back for each way out, typed with real input.
#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "LoginDialog.h"
#include "SkinWindow.h"
#include "TextConvert.h"

using namespace dialogtest;

namespace {

const wchar_t kClass[] = L"LoginDialog";

class LoginDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::StartTestToolkit(); }
};

TEST_F(LoginDialogTest, StartsWithTheLogoTheCaptionAndTheInputFocused) {
  LoginDialog dialog;
  ASSERT_NE(dialog.CreateWindowForLogin(), nullptr);
  ui::PaintManager& manager = dialog.GetPaintManager();
  ui::CControlUI* input = manager.FindControl(L"input");
  ASSERT_NE(input, nullptr);
  EXPECT_EQ(manager.GetFocus(), input);
  ASSERT_NE(manager.FindControl(L"name"), nullptr);
  EXPECT_EQ(manager.FindControl(L"name")->GetText(), L"登录Tamvik客户端");
  ASSERT_NE(manager.FindControl(L"logo"), nullptr);
  EXPECT_EQ(manager.FindControl(L"logo")->GetBkImageText(), L"UI\\tv_logo1.png");
  // The hint is shown while the input is empty, and is no part of its text.
  EXPECT_EQ(input->GetText(), L"");
  dialog.Center();
  dialog.Show(true, true);
  wintest::SavePng(wintest::PrintClient(dialog.GetHWND()), L"logindialog-empty.png");
}

// Pixels of the input drawn in a dark colour: typed text (the hint is light grey).
int DarkPixels(HWND window, const ui::Rect& area) {
  const wintest::Pixels p = wintest::PrintClient(window);
  int dark = 0;
  for (int y = area.top; y < area.bottom && y < p.height; ++y) {
    for (int x = area.left; x < area.right && x < p.width; ++x) {
      const uint32_t c = p.At(x, y);
      dark += ((c >> 16) & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && (c & 0xFF) < 0x80 ? 1 : 0;
    }
  }
  return dark;
}

enum class Way { Return, Ok, Close, AltF4 };

struct EntryCase {
  const char* name;
  std::wstring typed;
  Way way;
  int result;
  std::wstring text;
};

TEST_F(LoginDialogTest, EntriesComeBackAsTyped) {
  const EntryCase cases[] = {
      {"blanks kept, Return", L"  cafe01  ", Way::Return, 1, L"  cafe01  "},
      {"blanks kept, OK", L"  cafe01  ", Way::Ok, 1, L"  cafe01  "},
      {"empty OK", L"", Way::Ok, 1, L""},
      {"empty Return", L"", Way::Return, 1, L""},
      {"Chinese", L"网吧星空", Way::Return, 1, L"网吧星空"},
      {"close after typing", L"cafe01", Way::Close, 2, L""},
      {"Alt+F4 after typing", L"cafe01", Way::AltF4, 0, L""},
  };
  const Rects rects = LoginDialogRects();
  ASSERT_EQ(rects.count(L"okbtn"), 1u);
  ASSERT_EQ(rects.count(L"closebtn"), 1u);
  int shot = 0;
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    User user(kClass, [&](HWND window) {
      Type(window, c.typed);
      // Input is handled in order, so what follows reaches the dialog after the typed text; the
      // picture waits until the text is drawn.
      if (!c.typed.empty()) PollFor([&] { return DarkPixels(window, rects.at(L"input")) > 40; }, 3000);
      wintest::SavePng(wintest::PrintClient(window),
                       L"logindialog-typed" + std::to_wstring(shot++) + L".png");
      switch (c.way) {
        case Way::Return:
          Press(window, VK_RETURN);
          break;
        case Way::Ok:
          ClickAt(window, Centre(rects.at(L"okbtn")));
          break;
        case Way::Close:
          ClickAt(window, Centre(rects.at(L"closebtn")));
          break;
        case Way::AltF4:
          AltF4(window);
          break;
      }
    });
    std::wstring entered = L"left over";
    EXPECT_EQ(RunLoginDialog(entered), c.result);
    EXPECT_EQ(WideToUtf8(entered), WideToUtf8(c.text));
  }
}

}  // namespace
