// The document-ready notice of the four web view classes: posted once per class and process, to
// the class's window handle, and never while that handle is unset.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ClientMessages.h"
#include "TestSupport.h"
#include "WebViewHarness.h"
#include "WebkitUI.h"

using namespace webtest;

namespace {

int Count(const MessageSink& sink, UINT message) {
  int n = 0;
  for (const Received& r : sink.received) {
    if (r.message == message) {
      EXPECT_EQ(0u, r.wParam);
      EXPECT_EQ(0, r.lParam);
      ++n;
    }
  }
  return n;
}

struct Page {
  std::unique_ptr<HostWindow> window;
  wkeWebView view = nullptr;
  HWND viewWindow = nullptr;
};

// Opens a window of a layout, loads the shop fixture into its control "ie" and waits until the
// engine has made `documents` documents of it.
Page OpenAndLoad(const wchar_t* layout) {
  Page page;
  page.window = std::make_unique<HostWindow>(layout);
  if (page.window->Open() == nullptr) return page;
  ui::CControlUI* control = page.window->Find(L"ie");
  if (control == nullptr) return page;
  const std::string url = FixtureUrl("shop.html");
  if (auto* c = static_cast<WebkitUI*>(control->InterfaceFor(L"WebkitUI"))) {
    c->LoadUrl(url);
    page.view = c->EngineView();
  } else if (auto* c1 = static_cast<WebkitUI1*>(control->InterfaceFor(L"WebkitUI1"))) {
    c1->LoadUrl(url);
    page.view = c1->EngineView();
  } else if (auto* c2 = static_cast<WebkitUI2*>(control->InterfaceFor(L"WebkitUI2"))) {
    c2->LoadUrl(url);
    page.view = c2->EngineView();
  } else if (auto* c3 = static_cast<WebkitUI3*>(control->InterfaceFor(L"WebkitUI3"))) {
    c3->LoadUrl(url);
    page.view = c3->EngineView();
  }
  page.viewWindow = WkeCall(wkeGetHostHWND, page.view);
  return page;
}

// After the engine made its n-th document of the view, everything it posted is dispatched.
bool WaitForDocuments(const Page& page, int n) {
  if (!WaitForStatus(page.viewWindow, "ready", std::to_string(n))) return false;
  DrainMessages();
  return true;
}

TEST(WebViewReady, EachClassPostsOneNoticePerProcessToItsWindow) {
  ASSERT_TRUE(StartToolkitAndEngine());
  MessageSink mainFrame, call, leave, song;
  MainFrameHwnd = mainFrame.Handle();
  CallDialogHwnd = call.Handle();
  LeaveDialogHwnd = leave.Handle();
  // SongDialogHwnd stays unset for now.

  Page shop = OpenAndLoad(L"Xmls\\MainFrame.xml");
  Page callPage = OpenAndLoad(L"Xmls\\CallDialog.xml");
  Page leavePage = OpenAndLoad(L"Xmls\\LeaveDialog.xml");
  Page songPage = OpenAndLoad(L"Xmls\\SongDialog.xml");
  for (const Page* page : {&shop, &callPage, &leavePage, &songPage}) {
    ASSERT_NE(nullptr, page->viewWindow);
    ASSERT_TRUE(WaitForDocuments(*page, 1));
  }
  EXPECT_EQ(1, Count(mainFrame, WM_MF_PAGE_READY));
  EXPECT_EQ(1, Count(call, WM_DLG_PAGE_READY));
  EXPECT_EQ(1, Count(leave, WM_DLG_PAGE_READY));
  EXPECT_EQ(0, Count(mainFrame, WM_DLG_PAGE_READY));
  EXPECT_EQ(0, Count(call, WM_MF_PAGE_READY));
  EXPECT_EQ(0, Count(song, WM_DLG_PAGE_READY));
  // The callback unregistered itself after its notice.
  EXPECT_EQ("1", ViewStatus(shop.viewWindow)["readyCallbacks"]);

  // Reloads make new documents but no new notices; the karaoke class used its one chance while
  // its handle was unset.
  SongDialogHwnd = song.Handle();
  for (const Page* page : {&shop, &callPage, &leavePage, &songPage}) {
    WkeCall(wkeReload, page->view);
    ASSERT_TRUE(WaitForDocuments(*page, 2));
  }
  EXPECT_EQ(1, Count(mainFrame, WM_MF_PAGE_READY));
  EXPECT_EQ(1, Count(call, WM_DLG_PAGE_READY));
  EXPECT_EQ(1, Count(leave, WM_DLG_PAGE_READY));
  EXPECT_EQ(0, Count(song, WM_DLG_PAGE_READY));
  EXPECT_EQ("1", ViewStatus(shop.viewWindow)["readyCallbacks"]);

  // A second shop view later in the process posts none.
  Page secondShop = OpenAndLoad(L"Xmls\\MainFrame.xml");
  ASSERT_NE(nullptr, secondShop.viewWindow);
  ASSERT_TRUE(WaitForDocuments(secondShop, 1));
  EXPECT_EQ(1, Count(mainFrame, WM_MF_PAGE_READY));

  MainFrameHwnd = CallDialogHwnd = LeaveDialogHwnd = SongDialogHwnd = nullptr;
}

}  // namespace
