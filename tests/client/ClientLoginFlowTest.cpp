// The client's login loop, hand-off to the updater and start-mode refresh, against the login
// service's stand-in on 127.0.0.1 and a fake updater.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ClientHarness.h"
#include "DesktopStandIn.h"
#include "LoginServiceStub.h"
#include "OwnedHandle.h"
#include "TextConvert.h"
#include "UniqueHandle.h"

using namespace testsupport;
using namespace clienttest;

namespace {

const wchar_t kNoEngine[] = L"没有node.dll文件，程序退出.";
const wchar_t kNetworkError[] = L"登录出错，请检查网络.";
const wchar_t kMainFrameTitle[] = L"Tamvik-客户端";
const char kBothEngineCalls[] = "wkeInitializeEx\nwkeFinalize\n";

std::string Accepted(const std::string& id, const std::string& ip, int port) {
  return R"({"errcode":0,"errmsg":"","data":{"token":"tok","service_ip":")" + ip +
         R"(","service_ips":"","service_port":)" + std::to_string(port) +
         R"(,"client_hide_time":0,"skin":1,"id":")" + id +
         R"(","realname":"cafe","client_is_mini":"0","client_position":0,"client_toolbar":[{"name":"a",)" +
         R"("img":"a.png","path":"","type":1,"is_open":"1"}]}})";
}

// A program folder with the client, the fake updater as "Pelgrix.exe" and the stand-in
// service running.
class LoginFolder : public ClientFolder {
 public:
  LoginFolder() {
    EXPECT_TRUE(service_.Start());
    EXPECT_TRUE(CopyTestBinary(L"orv_fake_updater.exe", Dir().Path(), L"Pelgrix.exe"));
  }
  LoginServiceStub& Service() { return service_; }
  void SettingsWithName(const std::string& name) {
    Settings("[CONFIG]\r\ndebug=1\r\nrequest=" + service_.BaseUrl() + "\r\nwbname=" + name + "\r\n");
  }
  std::vector<std::string> Bodies() const {
    std::vector<std::string> bodies;
    for (const StubRequest& request : service_.Requests()) bodies.push_back(request.body);
    return bodies;
  }
  // The updater's parameter text once every process that the client started has ended (the
  // client starts the updater before it ends); empty when the updater never ran.
  std::string UpdaterArgs() const {
    EXPECT_TRUE(children_.WaitAllEnded(10000)) << "a process that the client started still runs";
    return ReadFileBytes(File(L"updater-args.txt"));
  }
  std::wstring StoredName() const {
    wchar_t name[128] = {};
    GetPrivateProfileStringW(L"CONFIG", L"wbname", L"", name, 128, File(L"Setting.ini").c_str());
    return name;
  }
  // Runs statements on "User.db" as an earlier client left it.
  void Cache(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(WideToUtf8(File(L"User.db")).c_str(), &db));
    char* error = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error)) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
  }
  // The first column of the first row of a query on "User.db", empty when there is none.
  std::string Query(const std::string& sql) const {
    std::string value;
    sqlite3* db = nullptr;
    if (sqlite3_open(WideToUtf8(File(L"User.db")).c_str(), &db) == SQLITE_OK) {
      sqlite3_exec(
          db, sql.c_str(),
          [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) = values[0] ? values[0] : "";
            return 1;
          },
          &value, nullptr);
    }
    sqlite3_close(db);
    return value;
  }
  std::vector<std::string> Tables() const {
    std::vector<std::string> names;
    sqlite3* db = nullptr;
    if (sqlite3_open(WideToUtf8(File(L"User.db")).c_str(), &db) == SQLITE_OK) {
      sqlite3_exec(
          db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name;",
          [](void* out, int, char** values, char**) {
            static_cast<std::vector<std::string>*>(out)->push_back(values[0] ? values[0] : "");
            return 0;
          },
          &names, nullptr);
    }
    sqlite3_close(db);
    return names;
  }

 private:
  LoginServiceStub service_;
  ChildProcesses children_;
};

const char kInfoTable[] =
    "CREATE TABLE [InfoTable]([id] INTEGER PRIMARY KEY,[name] TEXT,[ip] TEXT,[ips] TEXT,[port] INTEGER,"
    "[token] TEXT,[hidetime] INTEGER,[position] INTEGER,[skin] INTEGET,[mini] INTEGER);";
const char kToolTable[] =
    "CREATE TABLE [ToolTable]([idx] INTEGER PRIMARY KEY,[name] TEXT,[img] TEXT,[path] TEXT,[type] INTEGER,"
    "[open] INTEGER);";

// Presses the given buttons on the client's message boxes in turn (OK when the list is used
// up) and closes any other window.
Responder Buttons(std::vector<int> buttons) {
  auto next = std::make_shared<size_t>(0);
  return [buttons, next](HWND window, const SeenWindow& seen) {
    if (seen.className == kBoxClass || seen.className == kMsgDialogClass) {
      PressBoxButton(window, *next < buttons.size() ? buttons[(*next)++] : IDOK);
    } else {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  };
}

std::vector<std::string> Describe(const ClientResult& result) {
  std::vector<std::string> seen;
  for (const SeenWindow& window : result.windows) {
    seen.push_back(WideToUtf8(window.title) + "|" + WideToUtf8(window.text));
  }
  return seen;
}

// The windows seen, in a fixed order: the tool strip may show before or after the main frame.
std::vector<std::string> DescribeSorted(const ClientResult& result) {
  std::vector<std::string> seen = Describe(result);
  std::sort(seen.begin(), seen.end());
  return seen;
}

const char kStripWindow[] = "Tip|";

void ExpectEndedNormally(const ClientResult& result) {
  EXPECT_TRUE(result.started);
  EXPECT_TRUE(result.ended);
  EXPECT_EQ(0u, result.exitCode);
}

}  // namespace

TEST(ClientLoginFlow, StoredNameLogsInAndHandsOffToTheUpdater) {
  LoginFolder folder;
  folder.SettingsWithName("cafe&x=1");
  folder.Service().Script({200, Accepted("12", "192.168.1.10", 9000)});
  folder.Engine(L"orv_test_engine.dll");
  ClientResult result = RunClient(folder, L"");
  ExpectEndedNormally(result);
  EXPECT_TRUE(result.windows.empty());
  EXPECT_EQ(std::vector<std::string>{"username=cafe&x=1"}, folder.Bodies());
  EXPECT_EQ("start 192.168.1.10 9000", folder.UpdaterArgs());
  EXPECT_EQ(L"cafe&x=1", folder.StoredName());
  // The client ended instead of loading the engine.
  EXPECT_EQ("", folder.EngineCalls());
  EXPECT_TRUE(HasScope(ReadLog(folder), "Run"));
}

TEST(ClientLoginFlow, ChineseStoredNameIsSentAsUtf8) {
  LoginFolder folder;
  // The venues' settings files are GBK; the client runs with code page 936.
  folder.Settings("[CONFIG]\r\nrequest=" + folder.Service().BaseUrl() + "\r\nwbname=\xD0\xC7\xBF\xD5\r\n");
  folder.Service().Script({200, Accepted("12", "192.168.1.10", 9000)});
  ClientResult result = RunClient(folder, L"");
  ExpectEndedNormally(result);
  EXPECT_EQ(std::vector<std::string>{"username=\xE6\x98\x9F\xE7\xA9\xBA"}, folder.Bodies());
  EXPECT_EQ(L"星空", folder.StoredName());
  EXPECT_EQ("start 192.168.1.10 9000", folder.UpdaterArgs());
}

TEST(ClientLoginFlow, NoCashierServerRunsTheWindowsFromTheNewCache) {
  struct NoServerCase {
    const char* name;
    std::string ip;
    int port;
  };
  const NoServerCase cases[] = {{"empty address", "", 9000}, {"port 0", "192.168.1.10", 0}};
  for (const NoServerCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoginFolder folder;
    folder.SettingsWithName("cafe");
    folder.Service().Script({200, Accepted("12", c.ip, c.port)});
    folder.Engine(L"orv_test_engine.dll");
    ClientResult result = RunClient(folder, L"");
    ExpectEndedNormally(result);
    // The venue has a tool: the tool strip shows beside the main frame.
    EXPECT_EQ((std::vector<std::string>{WideToUtf8(kMainFrameTitle) + "|", kStripWindow}),
              DescribeSorted(result));
    for (const SeenWindow& window : result.windows) {
      EXPECT_EQ(window.title == kMainFrameTitle ? L"MainFrame" : L"TipDialog", window.className);
    }
    EXPECT_EQ(kBothEngineCalls, folder.EngineCalls());
    EXPECT_EQ("", folder.UpdaterArgs());
  }
}

TEST(ClientLoginFlow, NetworkErrorOffersRetryThenFallsBackOnTheCache) {
  LoginFolder folder;
  folder.SettingsWithName("cafe");
  folder.Service().SetDefaultReply({500, R"({"errcode":0})"});
  // Retry once, then cancel: the loop stops with an empty profile and the client goes on
  // to the engine check.
  ClientResult result = RunClient(folder, L"", Buttons({IDRETRY, IDCANCEL}));
  ExpectEndedNormally(result);
  const std::string retry = "提示|" + WideToUtf8(kNetworkError);
  EXPECT_EQ((std::vector<std::string>{retry, retry, "|" + WideToUtf8(kNoEngine)}), Describe(result));
  EXPECT_EQ((std::vector<std::string>{"username=cafe", "username=cafe"}), folder.Bodies());
  EXPECT_EQ("", folder.UpdaterArgs());
}

TEST(ClientLoginFlow, CancelWithACachedCashierServerStillHandsOff) {
  LoginFolder folder;
  folder.SettingsWithName("");
  folder.Service().SetDefaultReply({404, ""});
  folder.Cache(std::string(kInfoTable) + kToolTable +
               "INSERT INTO InfoTable VALUES(31,'cafe','10.0.0.5','',7001,'t',0,0,0,0);");
  ClientResult result = RunClient(folder, L"", Buttons({IDCANCEL}));
  ExpectEndedNormally(result);
  EXPECT_EQ(std::vector<std::string>{"提示|" + WideToUtf8(kNetworkError)}, Describe(result));
  EXPECT_EQ(std::vector<std::string>{"id=31"}, folder.Bodies());
  // The network is down, the cached profile names the cashier server: hand off with it.
  EXPECT_EQ("start 10.0.0.5 7001", folder.UpdaterArgs());
}

TEST(ClientLoginFlow, RefusedNameShowsTheServiceTextAndAsksAgain) {
  AddKnownMessage(L"账号不存在", 0);
  LoginFolder folder;
  folder.SettingsWithName("cafe");
  folder.Service().Script({200, R"({"errcode":3,"errmsg":"账号不存在"})"});
  folder.Service().Script({200, Accepted("12", "", 0)});
  ClientResult result = RunClient(folder, L"");
  ExpectEndedNormally(result);
  EXPECT_EQ((std::vector<std::string>{"提示|账号不存在", "|" + WideToUtf8(kNoEngine)}), Describe(result));
  EXPECT_EQ((std::vector<std::string>{"username=cafe", "username=cafe"}), folder.Bodies());
}

TEST(ClientLoginFlow, CachedVenueIdLogsInWithoutADialog) {
  struct IdCase {
    const char* name;
    std::string cache;
    std::string body;
  };
  const IdCase cases[] = {
      {"profile", std::string(kInfoTable) + kToolTable + "INSERT INTO InfoTable (id) VALUES(77);", "id=77"},
      {"legacy table only", "CREATE TABLE WbInfoTable(wb_id TEXT); INSERT INTO WbInfoTable VALUES('-5');",
       "id=-5"},
  };
  for (const IdCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoginFolder folder;
    folder.SettingsWithName("");
    folder.Cache(c.cache);
    folder.Service().Script({200, Accepted("77", "192.168.1.10", 9000)});
    ClientResult result = RunClient(folder, L"");
    ExpectEndedNormally(result);
    EXPECT_TRUE(result.windows.empty());
    EXPECT_EQ(std::vector<std::string>{c.body}, folder.Bodies());
    EXPECT_EQ("start 192.168.1.10 9000", folder.UpdaterArgs());
    // A login by id leaves the stored name alone.
    EXPECT_EQ(L"", folder.StoredName());
  }
}

TEST(ClientLoginFlow, StartModeRefreshesFromALegacyTable) {
  const std::string noProfile = "提示|" + WideToUtf8(L"网吧信息出错，程序退出。");
  const std::string mainFrame = WideToUtf8(kMainFrameTitle) + "|";
  struct LegacyCase {
    const char* name;
    const char* legacyId;
    int status;
    std::string body;
    std::vector<std::string> bodies;
    std::vector<std::string> tables;
    std::vector<std::string> windows;
  };
  const std::vector<std::string> dropped = {"InfoTable", "ToolTable"};
  const std::vector<std::string> kept = {"GameInfoTable", "InfoTable", "ToolTable", "WbInfoTable"};
  const std::vector<LegacyCase> cases = {
      // The refreshed profile has a tool: the tool strip shows too.
      {"accepted",
       "55",
       200,
       Accepted("55", "192.168.1.10", 9000),
       {"id=55"},
       dropped,
       {mainFrame, kStripWindow}},
      // Nothing is shown in this mode: a failed or refused refresh only drops the tables.
      {"service down", "55", 500, "", {"id=55"}, dropped, {noProfile}},
      {"refused", "55", 200, R"({"errcode":1,"errmsg":"no"})", {"id=55"}, dropped, {noProfile}},
      {"venue id 0", "0", 200, Accepted("55", "", 0), {}, kept, {noProfile}},
      // An id that is no number asks nothing, but the legacy tables go all the same.
      {"venue id not a number", "cafe", 200, Accepted("55", "", 0), {}, dropped, {noProfile}},
  };
  for (const LegacyCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoginFolder folder;
    folder.SettingsWithName("ignored");
    folder.Engine(L"orv_test_engine.dll");
    folder.Cache(std::string("CREATE TABLE WbInfoTable(wb_id TEXT); INSERT INTO WbInfoTable VALUES('") +
                 c.legacyId + "'); CREATE TABLE GameInfoTable(x TEXT);");
    StubReply reply;
    reply.status = c.status;
    reply.body = c.body;
    folder.Service().SetDefaultReply(reply);
    ClientResult result = RunClient(folder, L"start");
    ExpectEndedNormally(result);
    EXPECT_EQ(c.windows, DescribeSorted(result));
    EXPECT_EQ(c.bodies, folder.Bodies());
    EXPECT_EQ(c.tables, folder.Tables());
    EXPECT_EQ(kBothEngineCalls, folder.EngineCalls());
    EXPECT_EQ("", folder.UpdaterArgs());
  }
}

TEST(ClientLoginFlow, StartModeWithoutALegacyTableAsksNothing) {
  LoginFolder folder;
  folder.SettingsWithName("cafe");
  folder.Engine(L"orv_test_engine.dll");
  folder.Cache(std::string(kInfoTable) + kToolTable +
               "INSERT INTO InfoTable VALUES(8,'cafe','10.0.0.5','',7001,'t',0,0,0,0);");
  ClientResult result = RunClient(folder, L"start");
  ExpectEndedNormally(result);
  ASSERT_EQ(1u, result.windows.size());
  EXPECT_EQ(kMainFrameTitle, result.windows[0].title);
  EXPECT_EQ(0u, folder.Service().RequestCount());
  // The start mode never hands off, whatever the cached profile names.
  EXPECT_EQ("", folder.UpdaterArgs());
}

// An updater that cannot be started would leave the PC with nothing on the screen: the client
// shows its own windows instead.
TEST(ClientLoginFlow, AnUpdaterThatCannotBeStartedLeavesTheClientsOwnWindows) {
  LoginFolder folder;
  folder.SettingsWithName("cafe");
  ASSERT_TRUE(DeleteFileW(folder.File(L"Pelgrix.exe").c_str()));
  folder.Service().Script({200, Accepted("12", "192.168.1.10", 9000)});
  folder.Engine(L"orv_test_engine.dll");
  ClientResult result = RunClient(folder, L"");
  ExpectEndedNormally(result);
  EXPECT_EQ((std::vector<std::string>{WideToUtf8(kMainFrameTitle) + "|", kStripWindow}),
            DescribeSorted(result));
  EXPECT_EQ(kBothEngineCalls, folder.EngineCalls());
}

namespace {

const std::string kCachedVenue = std::string(kInfoTable) + kToolTable +
                                 "INSERT INTO InfoTable VALUES(8,'cafe','','',0,'t',0,0,0,0);"
                                 "INSERT INTO ToolTable VALUES(0,'a','a.png','',1,1);";

}  // namespace

TEST(ClientWindows, DevelopmentEngineLoadsWithoutMissingOperations) {
  LoginFolder folder;
  folder.SettingsWithName("");
  ASSERT_TRUE(CopyDistFile(L"node.dll", folder.Dir().Path()));
  folder.Cache(kCachedVenue);
  ClientResult result = RunClient(folder, L"start");
  ExpectEndedNormally(result);
  EXPECT_EQ((std::vector<std::string>{WideToUtf8(kMainFrameTitle) + "|", kStripWindow}),
            DescribeSorted(result));
  EXPECT_EQ(0u, folder.Service().RequestCount());
}

TEST(ClientWindows, SecondClientIsRefusedWhileTheFirstRuns) {
  LoginFolder folder;
  folder.SettingsWithName("cafe");
  folder.Engine(L"orv_test_engine.dll");
  folder.Cache(kCachedVenue);

  // The first client runs its windows from the cache until the test closes its main frame.
  std::atomic<HWND> mainFrame{nullptr};
  ClientResult first;
  std::thread firstRun([&] {
    first = RunClient(folder, L"start", [&](HWND window, const SeenWindow& seen) {
      if (seen.className == kBoxClass || seen.className == kMsgDialogClass) PressBoxButton(window, IDOK);
      if (seen.title == kMainFrameTitle) mainFrame = window;
    });
  });
  bool up = WaitFor([&] { return mainFrame.load() != nullptr; }, 20000);
  folder.Put(L"Pelgrix-2.exe", "left over");

  ClientResult second = up ? RunClient(folder, L"") : ClientResult();
  if (mainFrame.load()) PostMessageW(mainFrame.load(), WM_CLOSE, 0, 0);
  firstRun.join();
  ASSERT_TRUE(up);

  ExpectEndedNormally(second);
  EXPECT_TRUE(second.windows.empty());
  EXPECT_TRUE(FileExists(folder.File(L"Pelgrix-2.exe")));
  EXPECT_EQ(0u, folder.Service().RequestCount());
  EXPECT_TRUE(HasLine(ReadLog(folder), "ERROR", "The program is already running."));
  ExpectEndedNormally(first);
  EXPECT_EQ((std::vector<std::string>{WideToUtf8(kMainFrameTitle) + "|", kStripWindow}),
            DescribeSorted(first));
  EXPECT_EQ(kBothEngineCalls, folder.EngineCalls());
}

namespace {

// One answer of the test's user to the login loop's next window.
struct Step {
  const wchar_t* windowClass;
  std::wstring typed;  // login dialog: what is typed
  LoginEnd end;        // login dialog: how it is ended
  int button;          // message box: the button pressed
};

Responder Steps(std::vector<Step> steps, std::shared_ptr<size_t> next) {
  return [steps, next](HWND window, const SeenWindow& seen) {
    if (*next >= steps.size() || seen.className != steps[*next].windowClass) {
      ADD_FAILURE() << "an unexpected window at step " << *next << ": " << WideToUtf8(seen.className);
      PostMessageW(window, WM_CLOSE, 2, 0);
      return;
    }
    const Step& step = steps[(*next)++];
    if (seen.className == kLoginDialogClass) {
      AnswerLogin(window, step.typed, step.end);
    } else {
      PressBoxButton(window, step.button);
    }
  };
}

}  // namespace

// No stored name and no cache: the login dialog asks until a name is accepted, through every
// path of the loop, typed with real input.
TEST(ClientLoginFlow, TheLoginDialogAsksUntilANameIsAccepted) {
  AddKnownMessage(L"账号不存在", 0);
  LoginFolder folder;
  folder.SettingsWithName("");
  folder.Service().Script({200, R"({"errcode":3,"errmsg":"账号不存在"})"});
  folder.Service().Script({500, ""});
  folder.Service().Script({200, Accepted("12", "192.168.1.10", 9000)});
  const std::vector<Step> steps = {
      {kLoginDialogClass, L"", LoginEnd::Ok, 0},
      {kMsgDialogClass, L"", LoginEnd::Ok, IDOK},
      {kLoginDialogClass, L"typed", LoginEnd::AltF4, 0},
      {kMsgDialogClass, L"", LoginEnd::Ok, IDOK},
      {kLoginDialogClass, L"nosuch", LoginEnd::Return, 0},
      {kMsgDialogClass, L"", LoginEnd::Ok, IDOK},
      {kLoginDialogClass, L"星空cafe", LoginEnd::Ok, 0},
      {kMsgDialogClass, L"", LoginEnd::Ok, IDRETRY},
      {kLoginDialogClass, L"星空cafe", LoginEnd::Return, 0},
  };
  auto next = std::make_shared<size_t>(0);
  ClientResult result = RunClient(folder, L"", Steps(steps, next), 90000);
  ExpectEndedNormally(result);
  const std::string login = "登录|";
  const std::string empty = "提示|" + WideToUtf8(L"网吧用户名不能为空，请重新输入");
  EXPECT_EQ((std::vector<std::string>{login, empty, login, empty, login, "提示|账号不存在", login,
                                      "提示|" + WideToUtf8(kNetworkError), login}),
            Describe(result));
  EXPECT_EQ((std::vector<std::string>{"username=nosuch", "username=星空cafe", "username=星空cafe"}),
            folder.Bodies());
  EXPECT_EQ(L"星空cafe", folder.StoredName());
  EXPECT_EQ("12", folder.Query("SELECT id FROM InfoTable;"));
  EXPECT_EQ("start 192.168.1.10 9000", folder.UpdaterArgs());
}

// The client's login dialog takes the desktop (a stand-in here) as its owner and disables it;
// whether the client ends normally or is killed by an exception, the desktop is enabled after.
TEST(ClientLoginFlow, TheDesktopIsEnabledAgainOnEveryEndOfTheClient) {
  testsupport::DesktopStandIn desktop;
  const UniqueWindow& view = desktop.view;
  ASSERT_TRUE(view);
  if (!desktop.IsTheDesktop()) {
    GTEST_SKIP() << "another desktop window is found first";
  }
  struct EndCase {
    const char* name;
    bool crash;
  };
  for (const EndCase& c : {EndCase{"closed", false}, EndCase{"killed by an exception", true}}) {
    SCOPED_TRACE(c.name);
    LoginFolder folder;
    folder.SettingsWithName("");
    HWND owner = nullptr;
    bool enabledWhileOpen = true;
    ClientResult result = RunClient(folder, L"", [&](HWND window, const SeenWindow& seen) {
      if (seen.className != kLoginDialogClass) {
        DefaultResponse(window, seen);
        return;
      }
      WaitSettled(window);
      owner = GetWindow(window, GW_OWNER);
      enabledWhileOpen = IsWindowEnabled(view.Get()) != FALSE;
      if (!c.crash) {
        AnswerLogin(window, L"", LoginEnd::CloseButton);
        return;
      }
      // A thread of the client that starts at an address holding no code: an access violation
      // that nothing in the client catches.
      DWORD pid = 0;
      GetWindowThreadProcessId(window, &pid);
      UniqueHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
      UniqueHandle thread(CreateRemoteThread(
          process.Get(), nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(static_cast<uintptr_t>(0x10)),
          nullptr, 0, nullptr));
      EXPECT_TRUE(thread);
    });
    EXPECT_TRUE(result.ended);
    EXPECT_EQ(owner, view.Get());
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_TRUE(IsWindowEnabled(view.Get()));
    if (c.crash) {
      EXPECT_NE(0u, result.exitCode);
    }
  }
}
