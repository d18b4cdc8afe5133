// The login layout's input: typing ASCII and Chinese, the input method's characters, the
// clipboard, and the hint shown only while the input is empty.
#include <gtest/gtest.h>

#include "render/ControlPaint.h"
#include "controls/Button.h"
#include "controls/Label.h"
#include "controls/RichEdit.h"
#include "controls/Text.h"
#include "SkinWindow.h"
#include "TestSupport.h"

using wintest::SkinWindow;

namespace {

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::StartTestToolkit();
    ASSERT_NE(window_.CreateAsDialog(), nullptr);
    window_.Center();
    window_.Show(true, true);
    SetForegroundWindow(window_.GetHWND());
    SetFocus(window_.GetHWND());
    input_ = static_cast<ui::CRichEditUI*>(window_.Find(L"input"));
    ASSERT_NE(input_, nullptr);
    input_->Focus();
    wintest::Pump(50);
  }

  bool WaitForText(const std::wstring& expected) {
    return testsupport::WaitFor([&] { return input_->GetText() == expected; }, 3000);
  }

  SkinWindow window_{L"Xmls\\LoginDialog.xml"};
  ui::CRichEditUI* input_ = nullptr;
};

TEST_F(RichEditTest, TypedAsciiAndChineseReadBackWithGetText) {
  wintest::TypeUnicode(L"  net bar 01 ");
  EXPECT_TRUE(WaitForText(L"  net bar 01 ")) << "blanks stay as typed";
  wintest::TypeUnicode(L"网吧账号");
  EXPECT_TRUE(WaitForText(L"  net bar 01 网吧账号"));
  wintest::PressKey(VK_BACK);
  EXPECT_TRUE(WaitForText(L"  net bar 01 网吧账"));
  wintest::PressKey(VK_HOME);
  wintest::PressKey(VK_DELETE);
  EXPECT_TRUE(WaitForText(L" net bar 01 网吧账"));
}

TEST_F(RichEditTest, InputMethodCharactersAreTypedOnce) {
  for (wchar_t c : std::wstring(L"请输入")) PostMessageW(window_.GetHWND(), WM_IME_CHAR, c, 1);
  PostMessageW(window_.GetHWND(), WM_CHAR, L'1', 1);
  EXPECT_TRUE(WaitForText(L"请输入1"));
  wintest::Pump(100);
  EXPECT_EQ(input_->GetText(), L"请输入1");
}

TEST_F(RichEditTest, ControlCharactersAndReturnAreNotText) {
  for (wchar_t c : std::wstring(L"a\tb\x1b\rc")) PostMessageW(window_.GetHWND(), WM_CHAR, c, 1);
  EXPECT_TRUE(WaitForText(L"abc"));
}

TEST_F(RichEditTest, SelectAllCopyAndPasteThroughTheClipboard) {
  input_->SetText(L"网吧01");
  wintest::PressKey('A', true);
  wintest::PressKey('C', true);
  wintest::PressKey(VK_END);
  wintest::PressKey('V', true);
  EXPECT_TRUE(WaitForText(L"网吧01网吧01"));
  wintest::PressKey('A', true);
  wintest::PressKey('X', true);
  EXPECT_TRUE(WaitForText(L""));
}

// Pixels of the input's text area whose darkest channel is below a level.
int CountDarker(const wintest::Pixels& p, const ui::Rect& area, int level, int fromX = INT_MIN) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = std::max(area.left, fromX); x < area.right; ++x) {
      const uint32_t c = p.At(x, y);
      const int darkest = std::min({static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                    static_cast<int>(c & 0xFF)});
      if (darkest < level) ++count;
    }
  }
  return count;
}

TEST_F(RichEditTest, TheHintShowsInItsColourOnlyWhileTheInputIsEmpty) {
  // Without the focus there is no caret to blink into the pictures.
  window_.GetPaintManager().SetFocus(nullptr);
  const ui::Rect area = ui::Deflate(input_->GetPos(), input_->GetTextPadding());
  const wintest::Pixels empty = wintest::PrintClient(window_.GetHWND());
  EXPECT_GT(CountDarker(empty, area, 0xC0), 20) << "the grey hint is drawn";
  EXPECT_EQ(CountDarker(empty, area, 0x90), 0) << "nothing darker than the hint colour";

  input_->SetText(L"W");
  const wintest::Pixels typed = wintest::PrintClient(window_.GetHWND());
  EXPECT_GT(CountDarker(typed, area, 0x60), 5) << "the typed text is drawn in black";
  const int centre = (area.left + area.right) / 2;
  EXPECT_EQ(CountDarker(typed, area, 0xE0, centre + 20), 0) << "the hint's right part is gone";

  input_->SetText(L"");
  const wintest::Pixels again = wintest::PrintClient(window_.GetHWND());
  EXPECT_EQ(again.data, empty.data) << "emptied, the input shows the hint again";
}

}  // namespace
