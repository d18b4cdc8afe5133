// Windows with per-pixel alpha (`bktrans`), the shadow window of `showshadow`, and the animated
// GIF of the web dialogs' loading layout.
#include <gtest/gtest.h>

#include "model/Container.h"
#include "controls/GifAnim.h"
#include "controls/Button.h"
#include "controls/Label.h"
#include "controls/RichEdit.h"
#include "controls/Text.h"
#include "window/ShadowWindow.h"
#include "SkinWindow.h"
#include "TestSupport.h"

using wintest::SkinWindow;

namespace {

class LayeredWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::StartTestToolkit(); }
};

struct ShadowSearch {
  HWND owner;
  HWND found;
};

// A named CALLBACK: a lambda converts to a plain function pointer, which on i686 has the wrong
// calling convention for EnumWindows.
BOOL CALLBACK MatchShadow(HWND hwnd, LPARAM p) {
  auto* s = reinterpret_cast<ShadowSearch*>(p);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (std::wstring(cls) == L"OrvShadowWnd" && GetWindow(hwnd, GW_OWNER) == s->owner) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindShadowOf(HWND owner) {
  ShadowSearch search{owner, nullptr};
  EnumWindows(MatchShadow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(LayeredWindowTest, TheLogoLayoutIsLayeredAndDraggedAnywhere) {
  SkinWindow window(L"Xmls\\tv_LogoDialog.xml");
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  EXPECT_NE(GetWindowLongPtrW(window.GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  for (POINT pt : {POINT{1, 1}, POINT{125, 60}, POINT{249, 154}}) {
    POINT screen = pt;
    ClientToScreen(window.GetHWND(), &screen);
    EXPECT_EQ(SendMessageW(window.GetHWND(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTCAPTION)
        << pt.x << "," << pt.y;
  }
  window.Center();
  window.Show(true, false);
  wintest::Pump(300);
  const wintest::Pixels p = wintest::PrintClient(window.GetHWND());
  wintest::SavePng(p, L"logo.png", true);
  ASSERT_EQ(p.width, 250);
  ASSERT_EQ(p.height, 155);
  EXPECT_EQ(p.data[static_cast<size_t>(140) * 250 + 125] >> 24, 0u) << "below the logo: fully transparent";
  int opaque = 0;
  for (uint32_t px : p.data) opaque += (px >> 24) == 0xFF ? 1 : 0;
  EXPECT_GT(opaque, 1000) << "the logo image is drawn opaque";
}

TEST_F(LayeredWindowTest, TheShadowWindowFollowsItsWindow) {
  SkinWindow window(L"Xmls\\CallDialog.xml");
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  HWND hwnd = window.GetHWND();
  HWND shadow = FindShadowOf(hwnd);
  ASSERT_NE(shadow, nullptr);
  EXPECT_NE(GetWindowLongPtrW(shadow, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_NE(GetWindowLongPtrW(shadow, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0) << "presses fall through";

  auto shadowAroundWindow = [&] {
    RECT w{};
    RECT s{};
    GetWindowRect(hwnd, &w);
    GetWindowRect(shadow, &s);
    return IsWindowVisible(shadow) && s.left == w.left - 4 && s.top == w.top - 4 && s.right == w.right + 4 &&
           s.bottom == w.bottom + 4;
  };
  window.Show(true, false);
  EXPECT_TRUE(testsupport::WaitFor(shadowAroundWindow, 2000)) << "shown with its window";
  SetWindowPos(hwnd, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(testsupport::WaitFor(shadowAroundWindow, 2000)) << "moved with its window";
  SetWindowPos(hwnd, nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(testsupport::WaitFor(shadowAroundWindow, 2000)) << "sized with its window";
  window.Show(false);
  EXPECT_TRUE(testsupport::WaitFor([&] { return !IsWindowVisible(shadow); }, 2000))
      << "hidden with its window";
  DestroyWindow(hwnd);
  EXPECT_FALSE(IsWindow(shadow)) << "destroyed with its window";
}

TEST_F(LayeredWindowTest, TheLoadingGifTakesItsSizeAndAnimates) {
  SkinWindow window(L"Xmls\\CallDialog.xml");
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  ui::CControlUI* load = window.Find(L"Layout_load");
  ui::CControlUI* web = window.Find(L"Layout_web");
  ASSERT_NE(load, nullptr);
  ASSERT_NE(web, nullptr);
  load->SetVisible(true);
  web->SetVisible(false);
  auto* gif = static_cast<ui::CGifAnimUI*>(load->GetChildAt(1)->GetChildAt(1)->InterfaceFor(L"GifAnim"));
  ASSERT_NE(gif, nullptr);
  window.Center();
  window.Show(true, false);
  wintest::Pump(100);
  ui::ImagePtr image = window.GetPaintManager().GetImage(L"UI\\loading.gif");
  ASSERT_TRUE(image);
  ASSERT_GT(image->frames.size(), 1u);
  EXPECT_EQ(gif->GetPos().Width(), image->width);
  EXPECT_EQ(gif->GetPos().Height(), image->height);
  const size_t first = gif->GetFrame();
  EXPECT_TRUE(testsupport::WaitFor([&] { return gif->GetFrame() != first; }, 3000)) << "autoplay";
  wintest::SavePng(wintest::GrabScreen(window.GetHWND()), L"call-loading-screen.png");
  gif->StopGif();
  const size_t stopped = gif->GetFrame();
  wintest::Pump(500);
  EXPECT_EQ(gif->GetFrame(), stopped);
}

TEST_F(LayeredWindowTest, TheToolStripLayoutDrawsGdiplusTextWithAlpha) {
  SkinWindow window(L"Xmls\\TipDialog.xml");
  ASSERT_NE(window.CreateAsDialog(), nullptr);
  ui::CControlUI* list = window.Find(L"TipList");
  ASSERT_NE(list, nullptr);
  auto* container = static_cast<ui::IContainer*>(list->InterfaceFor(L"IContainer"));
  ASSERT_NE(container, nullptr);
  for (const wchar_t* text : {L"商品", L"呼叫", L"留言"}) {
    auto* label = new ui::CLabelUI();
    label->SetFixedHeight(40);
    label->SetText(text);
    label->SetAttribute(L"font", L"1");
    label->SetAttribute(L"textcolor", L"#FFFFFFFF");
    label->SetAttribute(L"align", L"center");
    ASSERT_TRUE(container->Add(label));
  }
  window.Show(true, false);
  wintest::Pump(300);
  const wintest::Pixels p = wintest::PrintClient(window.GetHWND());
  wintest::SavePng(p, L"tipstrip.png", true);
  ui::CControlUI* first = container->GetItemAt(0);
  const ui::Rect r = first->GetPos();
  EXPECT_EQ(r.Height(), 40);
  int bright = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const uint32_t px = p.data[static_cast<size_t>(y) * p.width + x];
      if ((px >> 24) == 0xFF && (px & 0xFF) > 0xC0) ++bright;
    }
  }
  EXPECT_GT(bright, 10) << "opaque white text pixels in the first entry";
}

TEST(ShadowPixelsTest, DarkestAtTheEdgeFadingOutwardAndClearUnderTheWindow) {
  const int w = 20, h = 10, size = 4;
  const std::vector<uint32_t> px = ui::MakeShadowPixels(w, h, size);
  const int fullW = w + 2 * size;
  ASSERT_EQ(px.size(), static_cast<size_t>(fullW * (h + 2 * size)));
  auto alpha = [&](int x, int y) { return px[static_cast<size_t>(y) * fullW + x] >> 24; };
  EXPECT_EQ(alpha(size + 5, size + 5), 0u) << "under the window";
  EXPECT_GT(alpha(size - 1, size + 5), alpha(size - 3, size + 5)) << "fades outward";
  EXPECT_GT(alpha(size - 1, size + 5), alpha(size - 1, size - 1)) << "the corner is lighter than the edge";
  EXPECT_EQ(px[0] & 0xFFFFFF, 0u) << "black, premultiplied";
  EXPECT_TRUE(ui::MakeShadowPixels(w, h, 0).size() == static_cast<size_t>(w * h));
}

}  // namespace
