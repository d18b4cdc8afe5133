// The logo and the tool strip of the running client, driven by real mouse input: a click brings
// the shop window back, a drag is no click and stays inside the work area, an attached strip
// follows, and the strip's buttons open the shop and the service dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DevEngineControl.h"
#include "ShopClient.h"
#include "TestSupport.h"

using namespace testsupport;
using namespace shoptest;

namespace {

RECT SmallRect() {
  const RECT w = WorkArea();
  return RectAt((w.right - w.left - 927) / 2, w.bottom - w.top - 20 - 360, 927, 360);
}
RECT LargeRect() {
  const RECT w = WorkArea();
  return RectAt((w.right - w.left - 1200) / 2, w.bottom - w.top - 880 - 20, 1200, 880);
}
RECT LogoRect() {
  const RECT w = WorkArea();
  return RectAt((w.right - 250) / 2, w.bottom - w.top - 20 - 155, 250, 155);
}

struct Client {
  ShopFolder folder;
  RunningClient run;
  HWND frame = nullptr;
  HWND logo = nullptr;
  HWND view = nullptr;

  void Start(const std::string& config, const CachedVenue& venue = CachedVenue()) {
    folder.SettingsWith(config);
    folder.CacheVenue(venue);
    ASSERT_TRUE(run.Start(folder));
    frame = run.Window(L"MainFrame");
    logo = run.Window(L"LogoDialog");
    ASSERT_NE(nullptr, frame);
    ASSERT_NE(nullptr, logo);
    view = run.ShopView();
    ASSERT_NE(nullptr, view);
  }
};

// No click reached the main frame. Once the logo's thread has taken the button's release (it
// holds no capture and has left the system's move loop), a click would show the frame at once:
// it stays hidden and the logo shown.
bool StillInLogoMode(const Client& c) {
  const DWORD thread = GetWindowThreadProcessId(c.logo, nullptr);
  const bool released = WaitFor(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndCapture == nullptr &&
               (info.flags & GUI_INMOVESIZE) == 0;
      },
      5000);
  EXPECT_TRUE(released) << "the logo's thread still holds the mouse";
  return released && !WaitFor([&] { return Visible(c.frame) || !Visible(c.logo); }, 1000);
}

// The strip centred 5 pixels above a rectangle (it follows the window it is attached to).
void ExpectStripAbove(HWND strip, const RECT& anchor) {
  const int anchorWidth = anchor.right - anchor.left;
  WaitFor(
      [&] {
        const RECT s = RectOf(strip);
        return s.left == anchor.left - (s.right - s.left - anchorWidth) / 2 && s.bottom == anchor.top - 5;
      },
      5000);
  const RECT s = RectOf(strip);
  const int width = s.right - s.left;
  EXPECT_EQ(anchor.left - (width - anchorWidth) / 2, s.left) << Describe(s) << " above " << Describe(anchor);
  EXPECT_EQ(anchor.top - 5, s.bottom) << Describe(s) << " above " << Describe(anchor);
  EXPECT_TRUE(Visible(strip));
}

}  // namespace

TEST(ClientLogo, ClickShowsTheShopWindowWhereItWas) {
  Client c;
  c.Start("showlogo=1\r\n");
  ASSERT_TRUE(WaitShownAt(c.logo, LogoRect())) << Describe(RectOf(c.logo));
  ASSERT_TRUE(WaitHidden(c.frame));

  // Started in logo mode, the frame never took a mode's place: it comes back where it was made.
  const RECT created = RectOf(c.frame);
  MouseTo(CenterOf(RectOf(c.logo)));
  LeftDown();
  LeftUp();
  EXPECT_TRUE(WaitHidden(c.logo));
  EXPECT_TRUE(WaitShownAt(c.frame, created)) << Describe(RectOf(c.frame));
  EXPECT_TRUE(PageScripts(c.view).empty());

  // Small, then the logo again: the small window comes back.
  ASSERT_TRUE(CallPage(c.view, "SetForm_Min()"));
  ASSERT_TRUE(WaitShownAt(c.frame, SmallRect()));
  ASSERT_TRUE(CallPage(c.view, "SetForm_Mini()"));
  ASSERT_TRUE(WaitShownAt(c.logo, LogoRect()));
  MouseTo(CenterOf(RectOf(c.logo)));
  LeftDown();
  LeftUp();
  EXPECT_TRUE(WaitHidden(c.logo));
  EXPECT_TRUE(WaitShownAt(c.frame, SmallRect())) << Describe(RectOf(c.frame));

  // Large, then the logo again: a click brings the large window back, no script with it.
  ASSERT_TRUE(CallPage(c.view, "SetForm_Max()"));
  ASSERT_TRUE(WaitShownAt(c.frame, LargeRect()));
  ASSERT_TRUE(CallPage(c.view, "SetForm_Mini()"));
  ASSERT_TRUE(WaitShownAt(c.logo, LogoRect()));
  ASSERT_TRUE(WaitHidden(c.frame));
  MouseTo(CenterOf(RectOf(c.logo)));
  LeftDown();
  LeftUp();
  EXPECT_TRUE(WaitHidden(c.logo));
  EXPECT_TRUE(WaitShownAt(c.frame, LargeRect())) << Describe(RectOf(c.frame));
  EXPECT_TRUE(PageScripts(c.view).empty());
  EXPECT_TRUE(c.run.End());
}

TEST(ClientLogo, DragIsNoClickAndStopsAtTheWorkAreasEdges) {
  Client c;
  c.Start("showlogo=1\r\n");
  ASSERT_TRUE(WaitShownAt(c.logo, LogoRect()));
  const RECT work = WorkArea();
  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);

  // Within the area the logo follows the mouse exactly.
  RECT before = RectOf(c.logo);
  Drag(c.logo, CenterOf(before), POINT{CenterOf(before).x - 300, CenterOf(before).y - 200});
  RECT moved = RectAt(before.left - 300, before.top - 200, 250, 155);
  EXPECT_TRUE(WaitShownAt(c.logo, moved)) << Describe(RectOf(c.logo));
  EXPECT_TRUE(StillInLogoMode(c));

  struct EdgeCase {
    const char* name;
    POINT to;
    LONG RECT::*edge;
    LONG expected;
  };
  const EdgeCase cases[] = {
      {"right", {screenW - 1, 500}, &RECT::right, work.right},
      {"left", {0, 500}, &RECT::left, work.left},
      {"top", {900, 0}, &RECT::top, work.top},
      {"bottom", {900, screenH - 1}, &RECT::bottom, work.bottom},
  };
  for (const EdgeCase& e : cases) {
    SCOPED_TRACE(e.name);
    Drag(c.logo, CenterOf(RectOf(c.logo)), e.to);
    EXPECT_TRUE(WaitFor([&] { return RectOf(c.logo).*e.edge == e.expected; }, 5000))
        << Describe(RectOf(c.logo));
    const RECT now = RectOf(c.logo);
    EXPECT_EQ(250, now.right - now.left);
    EXPECT_EQ(155, now.bottom - now.top);
    EXPECT_TRUE(StillInLogoMode(c));
  }
  // A message moving it outside is kept inside as well.
  SetWindowPos(c.logo, nullptr, -100, work.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitShownAt(c.logo, RectAt(work.left, work.bottom - 155, 250, 155)))
      << Describe(RectOf(c.logo));
  EXPECT_TRUE(c.run.End());
}

TEST(ClientLogo, AttachedStripFollowsTheLogo) {
  Client c;
  CachedVenue venue;
  venue.position = 5;
  venue.tools = {{"呼叫网管", 0}, {"商品点购", 0}};
  c.Start("showlogo=1\r\n", venue);
  ASSERT_TRUE(WaitShownAt(c.logo, LogoRect()));
  HWND strip = c.run.Window(L"TipDialog");
  ASSERT_NE(nullptr, strip);
  ASSERT_TRUE(WaitFor([&] { return Visible(strip); }, 5000));
  ExpectStripAbove(strip, RectOf(c.logo));
  Screenshot(c.logo, L"logo.png");
  Screenshot(strip, L"logo-strip.png");

  const RECT before = RectOf(c.logo);
  Drag(c.logo, CenterOf(before), POINT{CenterOf(before).x - 400, CenterOf(before).y - 100});
  ASSERT_TRUE(WaitShownAt(c.logo, RectAt(before.left - 400, before.top - 100, 250, 155)))
      << Describe(RectOf(c.logo));
  ExpectStripAbove(strip, RectOf(c.logo));
  EXPECT_TRUE(StillInLogoMode(c));

  // The modes take the strip along above the main frame.
  ASSERT_TRUE(CallPage(c.view, "SetForm_Max()"));
  ASSERT_TRUE(WaitShownAt(c.frame, LargeRect()));
  ExpectStripAbove(strip, LargeRect());
  ASSERT_TRUE(CallPage(c.view, "SetForm_Min()"));
  ASSERT_TRUE(WaitShownAt(c.frame, SmallRect()));
  ExpectStripAbove(strip, SmallRect());
  ASSERT_TRUE(CallPage(c.view, "SetForm_Mini()"));
  ASSERT_TRUE(WaitHidden(c.frame));
  ExpectStripAbove(strip, RectOf(c.logo));
  EXPECT_TRUE(c.run.End());
}

TEST(ClientLogo, StripButtonsOpenTheShopAndTheServiceDialogs) {
  struct ButtonCase {
    const char* tool;
    const wchar_t* opens;  // the window class the button shows
  };
  const ButtonCase cases[] = {
      {"商品点购", L"MainFrame"}, {"呼叫网管", L"CallDialog"}, {"网吧留言", L"LeaveDialog"}};
  for (const ButtonCase& b : cases) {
    SCOPED_TRACE(b.tool);
    Client c;
    CachedVenue venue;
    venue.tools = {{b.tool, 0}};
    c.Start("", venue);
    ASSERT_TRUE(WaitShownAt(c.frame, SmallRect()));
    HWND strip = c.run.Window(L"TipDialog");
    ASSERT_NE(nullptr, strip);
    ASSERT_TRUE(WaitFor([&] { return Visible(strip); }, 5000));
    MouseTo(CenterOf(RectOf(strip)));
    LeftDown();
    LeftUp();
    if (std::wstring(b.opens) == L"MainFrame") {
      EXPECT_TRUE(WaitShownAt(c.frame, LargeRect())) << Describe(RectOf(c.frame));
      EXPECT_EQ(std::vector<std::string>{"changeBigWindow()"}, PageScripts(c.view));
    } else {
      HWND dialog = c.run.Window(b.opens, 10000);
      ASSERT_NE(nullptr, dialog);
      EXPECT_TRUE(WaitFor([&] { return Visible(dialog); }, 5000));
      EXPECT_TRUE(WaitShownAt(c.frame, SmallRect()));
    }
    EXPECT_TRUE(c.run.End());
  }
}
