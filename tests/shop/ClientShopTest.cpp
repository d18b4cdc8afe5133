// The whole client in its start mode, from the cache: the main frame's three modes from every
// source, seen in the real windows' visibility and rectangles, and the scripts the shop page got.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ClientMessages.h"
#include "DesktopStandIn.h"
#include "DevEngineControl.h"
#include "ShopClient.h"
#include "TestSupport.h"

using namespace testsupport;
using namespace shoptest;

namespace {

// The default rectangles on this screen's work area: small 927x360 and large 1200x880, centred
// and 20 pixels above the bottom; the logo 250x155 likewise.
RECT SmallRect() {
  const RECT w = WorkArea();
  const int width = w.right - w.left, height = w.bottom - w.top;
  return RectAt((width - 927) / 2, height - 20 - 360, 927, 360);
}
RECT LargeRect() {
  const RECT w = WorkArea();
  const int width = w.right - w.left, height = w.bottom - w.top;
  return RectAt((width - 1200) / 2, height - 880 - 20, 1200, 880);
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

  void Start(const std::string& config = "", const CachedVenue& venue = CachedVenue()) {
    folder.SettingsWith(config);
    folder.CacheVenue(venue);
    ASSERT_TRUE(run.Start(folder));
    frame = run.Window(L"MainFrame");
    logo = run.Window(L"LogoDialog");
    ASSERT_NE(nullptr, frame);
    ASSERT_NE(nullptr, logo);
  }
  void WaitForPage() {
    view = run.ShopView();
    ASSERT_NE(nullptr, view);
  }
  bool InSmall() { return WaitShownAt(frame, SmallRect()) && WaitHidden(logo); }
  bool InLarge() { return WaitShownAt(frame, LargeRect()) && WaitHidden(logo); }
  bool InLogo() { return WaitShownAt(logo, LogoRect()) && WaitHidden(frame); }
};

}  // namespace

TEST(ClientShop, StartsSmallWithTheVenuesShopPage) {
  Client c;
  c.Start();
  c.WaitForPage();
  EXPECT_TRUE(c.InSmall()) << Describe(RectOf(c.frame));
  EXPECT_TRUE(IsWindowVisible(c.view));
  std::map<std::string, std::string> status = devengine::QueryViewStatus(c.view);
  EXPECT_EQ("loaded", status["state"]);
  EXPECT_EQ("Orvanta stand-in shop", status["title"]);
  EXPECT_EQ(0u, status["url"].find(c.folder.WebHost().Url("/shop/?wb_id=8&token=t&machine_no=")))
      << status["url"];
  wchar_t title[64] = {};
  GetWindowTextW(c.frame, title, 64);
  EXPECT_STREQ(L"Tamvik-客户端", title);
  // The venue has a tool: the strip shows beside the main frame.
  HWND strip = c.run.Window(L"TipDialog");
  ASSERT_NE(nullptr, strip);
  EXPECT_TRUE(Visible(strip));
  Screenshot(c.frame, L"shop-small.png");
  EXPECT_TRUE(c.run.End());
}

TEST(ClientShop, PageFunctionsSwitchTheModes) {
  Client c;
  c.Start();
  c.WaitForPage();
  ASSERT_TRUE(c.InSmall());
  struct Step {
    const char* call;
    bool (Client::*mode)();
  };
  const Step steps[] = {
      {"SetForm_Max()", &Client::InLarge}, {"SetForm_Min()", &Client::InSmall},
      {"SetForm_Mini()", &Client::InLogo}, {"SetForm_Max()", &Client::InLarge},
      {"SetForm_Mini()", &Client::InLogo}, {"SetForm_Min()", &Client::InSmall},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.call);
    ASSERT_TRUE(CallPage(c.view, step.call));
    EXPECT_TRUE((c.*step.mode)()) << Describe(RectOf(c.frame)) << " logo " << Describe(RectOf(c.logo));
  }
  ASSERT_TRUE(CallPage(c.view, "SetForm_Max()"));
  ASSERT_TRUE(c.InLarge());
  Screenshot(c.frame, L"shop-large.png");

  // The page's reload loads the same address again: one more completed document.
  const int ready = std::stoi(devengine::QueryViewStatus(c.view)["ready"]);
  ASSERT_TRUE(CallPage(c.view, "WebBrowserRefresh()"));
  EXPECT_TRUE(
      WaitFor([&] { return std::stoi(devengine::QueryViewStatus(c.view)["ready"]) == ready + 1; }, 10000));
  EXPECT_TRUE(PageScripts(c.view).empty());
  EXPECT_TRUE(c.run.End());
}

TEST(ClientShop, MessagesRunTheirScriptsInThePage) {
  Client c;
  c.Start();
  c.WaitForPage();
  ASSERT_TRUE(c.InSmall());
  // Sub-codes without an action change nothing and are not passed on (answered with 0).
  for (WPARAM code : {WPARAM{0}, WPARAM{101}, WPARAM{4}}) {
    EXPECT_EQ(0, SendMessageW(c.frame, WM_MF_SCRIPT, code, 0)) << code;
  }
  EXPECT_TRUE(c.InSmall());
  EXPECT_TRUE(PageScripts(c.view).empty());

  SendMessageW(c.frame, WM_MF_SCRIPT, SCRIPT_SHOW_PAY_SUCCESS, 0);
  EXPECT_EQ(std::vector<std::string>{"show_pay_success()"}, PageScripts(c.view));
  EXPECT_TRUE(c.InSmall());

  PostMessageW(c.frame, WM_MF_CHANGE_BIG_WINDOW, 1, 0);
  EXPECT_TRUE(c.InLarge());
  EXPECT_EQ((std::vector<std::string>{"show_pay_success()", "changeBigWindow()"}), PageScripts(c.view));

  // The plain mode messages, and a timer the main frame does not know.
  PostMessageW(c.frame, WM_MF_SHOW_SMALL, 0, 0);
  EXPECT_TRUE(c.InSmall());
  PostMessageW(c.frame, WM_MF_SHOW_LOGO, 0, 0);
  EXPECT_TRUE(c.InLogo());
  PostMessageW(c.frame, WM_MF_SHOW_LARGE, 0, 0);
  EXPECT_TRUE(c.InLarge());
  PostMessageW(c.frame, WM_TIMER, 77, 0);
  EXPECT_TRUE(c.InLarge());
  EXPECT_EQ(2u, PageScripts(c.view).size());
  EXPECT_TRUE(c.run.End());
}

TEST(ClientShop, SecondStartShowsMoreProducts) {
  Client c;
  c.Start();
  c.WaitForPage();
  ASSERT_TRUE(c.InSmall());
  ASSERT_TRUE(CallPage(c.view, "SetForm_Mini()"));
  ASSERT_TRUE(c.InLogo());

  // A second client, in either mode, wakes the first and ends.
  ProcessResult second = RunProcess(c.folder.File(L"Orvanta.exe"), L"", c.folder.Dir().Path(), 15000);
  EXPECT_TRUE(second.started);
  EXPECT_FALSE(second.timedOut);
  EXPECT_TRUE(c.InLarge());
  EXPECT_EQ(std::vector<std::string>{"more_product()"}, PageScripts(c.view));

  // The large flag stayed as small mode left it; the logo's message shows the frame where it is.
  PostMessageW(c.frame, WM_MF_CHANGE_BIG_WINDOW, 0, 0);
  EXPECT_TRUE(c.InLarge());
  ASSERT_TRUE(CallPage(c.view, "SetForm_Min()"));
  EXPECT_TRUE(c.InSmall());
  ProcessResult third = RunProcess(c.folder.File(L"Orvanta.exe"), L"start", c.folder.Dir().Path(), 15000);
  EXPECT_FALSE(third.timedOut);
  EXPECT_TRUE(c.InLarge());
  EXPECT_EQ((std::vector<std::string>{"more_product()", "more_product()"}), PageScripts(c.view));
  EXPECT_TRUE(c.run.End());
}

TEST(ClientShop, StartModeFromTheSettingsAndTheProfile) {
  struct StartCase {
    const char* name;
    std::string config;
    bool mini;
    bool logoMode;
  };
  const StartCase cases[] = {
      {"neither", "", false, false},
      {"showlogo", "showlogo=1\r\n", false, true},
      {"client_is_mini", "", true, true},
      {"both", "showlogo=1\r\n", true, true},
  };
  for (const StartCase& sc : cases) {
    SCOPED_TRACE(sc.name);
    // The main frame takes the desktop as its owner on a timer set just before the logo mode's
    // start timer and as long as it: once the owner is set, that timer would be due too.
    DesktopStandIn desktop;
    ASSERT_TRUE(desktop.IsTheDesktop());
    Client c;
    CachedVenue venue;
    venue.mini = sc.mini;
    c.Start(sc.config, venue);
    if (sc.logoMode) {
      EXPECT_TRUE(c.InLogo()) << Describe(RectOf(c.logo));
    } else {
      EXPECT_TRUE(c.InSmall()) << Describe(RectOf(c.frame));
      ASSERT_TRUE(WaitFor([&] { return GetWindow(c.frame, GW_OWNER) == desktop.view.Get(); }, 10000));
      // Settled: no logo mode follows.
      EXPECT_FALSE(WaitFor([&] { return Visible(c.logo); }, 1000));
    }
    EXPECT_TRUE(c.run.End());
  }
}

TEST(ClientShop, AnchoredPlacementFromTheSettings) {
  Client c;
  c.Start("align=right\r\nvalign=bottom\r\nalignspace=30\r\nvalignspace=40\r\n");
  c.WaitForPage();
  const RECT w = WorkArea();
  const int width = w.right - w.left, height = w.bottom - w.top;
  const RECT large = RectAt(width - 30 - 1200, height - 40 - 880, 1200, 880);
  // The small window's corner at the large rectangle's centre.
  const RECT small = RectAt(large.left + 600, large.top + 440, 927, 360);
  EXPECT_TRUE(WaitShownAt(c.frame, small)) << Describe(RectOf(c.frame));
  ASSERT_TRUE(CallPage(c.view, "SetForm_Max()"));
  EXPECT_TRUE(WaitShownAt(c.frame, large)) << Describe(RectOf(c.frame));
  // The logo from the same anchors.
  ASSERT_TRUE(CallPage(c.view, "SetForm_Mini()"));
  EXPECT_TRUE(WaitShownAt(c.logo, RectAt(w.right - 30 - 250, height - 40 - 155, 250, 155)))
      << Describe(RectOf(c.logo));
  EXPECT_TRUE(c.run.End());
}
