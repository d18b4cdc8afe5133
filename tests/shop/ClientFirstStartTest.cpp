// The client's first start on a venue PC, end to end against the stand-ins of the login API, the
// web host and the cashier server: the client logs in and hands off to the real updater, which
// fetches a newer file from the cashier and starts the client again in its start mode; that
// client shows the strip and the shop page of the venue, the page drives the modes and the
// strip opens the call dialog with its page.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CashierServer.h"
#include "DevEngineControl.h"
#include "LoginServiceStub.h"
#include "ShopClient.h"
#include "SkinWindow.h"
#include "TestSupport.h"
#include "TextConvert.h"

using namespace testsupport;
using namespace shoptest;

namespace {

const char kOldNotice[] = "notice 1.0.0.1\r\n";
const char kNewNotice[] = "notice 1.0.0.2: the venue's newer file\r\n";

std::string Manifest(const std::string& version, const std::string& sizeAttribute) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<AutoUpdater><Files><File Ver=\"" + version +
         "\" Name=\"notice.txt\"" + sizeAttribute + "/></Files></AutoUpdater>\r\n";
}

std::string LoginReply(uint16_t cashierPort) {
  return "{\"errcode\":0,\"errmsg\":\"\",\"data\":{\"token\":\"tk77\",\"service_ip\":\"127.0.0.1\","
         "\"service_ips\":\"127.0.0.1\",\"service_port\":" +
         std::to_string(cashierPort) +
         ",\"client_hide_time\":0,\"skin\":1,\"id\":\"1001\",\"realname\":\"cafe\","
         "\"client_is_mini\":\"0\",\"client_position\":0,\"client_toolbar\":["
         "{\"name\":\"呼叫网管\",\"is_open\":\"1\",\"img\":\"\",\"path\":\"\",\"type\":0}]}}";
}

HWND ViewIn(HWND window) {
  return window != nullptr ? FindWindowExW(window, nullptr, L"OrvDevEngineView", nullptr) : nullptr;
}

// The view's page is complete and the view shown.
bool PageReady(HWND view) {
  if (view == nullptr || !IsWindowVisible(view)) return false;
  std::map<std::string, std::string> status = devengine::QueryViewStatus(view);
  return status["state"] == "loaded" && status["ready"] != "0" && !status["ready"].empty();
}

std::string StatusLine(HWND view) {
  std::string line;
  for (const auto& entry : devengine::QueryViewStatus(view)) {
    if (entry.first == "url" || entry.first == "state" || entry.first == "ready" || entry.first == "error") {
      line += entry.first + "=" + entry.second + " ";
    }
  }
  return line;
}

}  // namespace

TEST(ClientFirstStart, LogsInUpdatesThroughTheCashierAndShowsTheWholeClient) {
  ShopFolder folder;
  folder.ServePage("/call/", L"dialog.html");
  ASSERT_TRUE(CopyDistFile(L"Pelgrix.exe", folder.Dir().Path()));
  folder.Put(L"notice.txt", kOldNotice);
  folder.Put(L"UpdateList.xml", Manifest("1.0.0.1", ""));

  TempDir served;
  ASSERT_TRUE(WriteFileBytes(served.File(L"notice.txt"), kNewNotice));
  ASSERT_TRUE(WriteFileBytes(served.File(L"UpdateList.xml"),
                             Manifest("1.0.0.2", " Size=\"" + std::to_string(sizeof kNewNotice - 1) + "\"")));
  cashier::CashierServer cashierServer;
  cashier::ServerOptions options;
  options.folder = served.Path();
  ASSERT_TRUE(cashierServer.Start(options));

  LoginServiceStub login;
  ASSERT_TRUE(login.Start());
  login.SetDefaultReply(StubReply{200, LoginReply(cashierServer.Port()), 0});

  std::string web = folder.WebHost().Url("");
  if (!web.empty() && web.back() == '/') web.pop_back();
  folder.Settings("[CONFIG]\r\ndebug=1\r\nwbname=cafe1001\r\nrequest=" + login.BaseUrl() + "\r\nurl=" + web +
                  "\r\nurl1=" + web + "/call\r\n");

  // The first client logs in, starts the updater and ends.
  RunningClient first;
  ASSERT_TRUE(first.Start(folder, L""));
  ASSERT_TRUE(first.WaitEnded(30000)) << "the first client did not end after the login";
  ASSERT_EQ(1u, login.RequestCount());
  EXPECT_EQ("username=cafe1001", login.Requests()[0].body);

  // The updater fetches the newer file and starts the client in its start mode.
  RunningClient client;
  ASSERT_TRUE(client.AttachToMainFrame(60000)) << "no client came back after the update";
  EXPECT_EQ(kNewNotice, ReadFileBytes(folder.File(L"notice.txt")));
  EXPECT_NE(std::string::npos, ReadFileBytes(folder.File(L"UpdateList.xml")).find("1.0.0.2"));
  EXPECT_GE(cashierServer.FilesServed(), 2);

  HWND frame = client.Window(L"MainFrame");
  HWND view = client.ShopView();
  ASSERT_NE(nullptr, view);
  EXPECT_TRUE(WaitFor([&] { return Visible(frame) && PageReady(view); }, 20000));
  const std::string url = devengine::QueryViewStatus(view)["url"];
  EXPECT_EQ(0u, url.find(folder.WebHost().Url("/shop/?wb_id=1001&token=tk77&machine_no="))) << url;
  HWND strip = client.Window(L"TipDialog");
  HWND logo = client.Window(L"LogoDialog");
  ASSERT_NE(nullptr, strip);
  ASSERT_NE(nullptr, logo);
  EXPECT_TRUE(Visible(strip));
  Screenshot(frame, L"first-start-shop.png");

  // The page's buttons drive the modes: the logo alone, then the large shop window.
  ASSERT_TRUE(CallPage(view, "SetForm_Mini()"));
  EXPECT_TRUE(WaitFor([&] { return Visible(logo) && !Visible(frame); }, 10000));
  ASSERT_TRUE(CallPage(view, "SetForm_Max()"));
  EXPECT_TRUE(WaitFor([&] { return Visible(frame) && !Visible(logo); }, 10000));
  const RECT large = RectOf(frame);
  EXPECT_EQ(1200, large.right - large.left);
  EXPECT_EQ(880, large.bottom - large.top);

  // The strip's one button, the call tool (the tile layout's first 70 x 90 cell, 10 pixels in),
  // opens the call dialog with its own page.
  const RECT stripRect = RectOf(strip);
  MouseTo(POINT{stripRect.left + 10 + 35, stripRect.top + 10 + 45});
  LeftDown();
  LeftUp();
  HWND dialog = client.Window(L"CallDialog", 10000);
  ASSERT_NE(nullptr, dialog) << "the strip's call button opened no dialog";
  HWND dialogView = ViewIn(dialog);
  EXPECT_TRUE(WaitFor([&] { return Visible(dialog) && PageReady(dialogView = ViewIn(dialog)); }, 20000))
      << "dialog visible " << Visible(dialog) << ", view " << dialogView << " visible "
      << (dialogView != nullptr && IsWindowVisible(dialogView)) << ", " << StatusLine(dialogView);
  EXPECT_EQ(0u, devengine::QueryViewStatus(dialogView)["url"].find(web + "/call/?token=tk77"))
      << StatusLine(dialogView);
  // The picture settles: the page's window is painted whole and the loading animation, hidden
  // with its layout, no longer draws (its frames would change the picture).
  EXPECT_TRUE(WaitFor(
      [&] {
        const wintest::Pixels first = wintest::GrabScreen(dialog);
        Sleep(250);
        const wintest::Pixels second = wintest::GrabScreen(dialog);
        Sleep(370);
        return first.data == second.data && first.data == wintest::GrabScreen(dialog).data;
      },
      10000))
      << "the call dialog's picture keeps changing after its page is shown";
  Screenshot(dialog, L"first-start-call-dialog.png");

  EXPECT_TRUE(client.End());
}
