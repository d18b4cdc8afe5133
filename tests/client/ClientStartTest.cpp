// The client program started in its own folder: start modes, the engine check and the
// single-instance guard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ClientHarness.h"
#include "TextConvert.h"
#include "UniqueHandle.h"

using namespace testsupport;
using namespace clienttest;

namespace {

const wchar_t kNoEngine[] = L"没有node.dll文件，程序退出.";
const wchar_t kNoProfile[] = L"网吧信息出错，程序退出。";
const char kBothEngineCalls[] = "wkeInitializeEx\nwkeFinalize\n";

std::string DebugSettings(int debug, int port) {
  // The login service is a listener on 127.0.0.1 that must never be contacted.
  return "[CONFIG]\r\ndebug=" + std::to_string(debug) +
         "\r\nrequest=http://127.0.0.1:" + std::to_string(port) + "\r\n";
}

struct Box {
  std::wstring title;
  std::wstring text;
};

std::vector<Box> Boxes(const ClientResult& result) {
  std::vector<Box> boxes;
  for (const SeenWindow& window : result.windows) {
    EXPECT_TRUE(window.className == kBoxClass || window.className == kMsgDialogClass ||
                window.className == kLoginDialogClass)
        << "an unexpected window: " << WideToUtf8(window.title);
    boxes.push_back({window.title, window.text});
  }
  return boxes;
}

void ExpectBoxes(const std::vector<Box>& expected, const ClientResult& result) {
  std::vector<Box> seen = Boxes(result);
  ASSERT_EQ(expected.size(), seen.size());
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(WideToUtf8(expected[i].title), WideToUtf8(seen[i].title)) << i;
    EXPECT_EQ(WideToUtf8(expected[i].text), WideToUtf8(seen[i].text)) << i;
  }
}

void ExpectEndedNormally(const ClientResult& result) {
  EXPECT_TRUE(result.started);
  EXPECT_TRUE(result.ended);
  EXPECT_EQ(0u, result.exitCode);
}

struct ModeCase {
  const char* name;
  const wchar_t* args;
  const wchar_t* engine;  // test library put there as "node.dll", or none
  std::vector<Box> boxes;
  bool runScope;     // the no-argument mode's "Run" scope
  bool badArgument;  // "启动参数不正确." logged
  std::string engineCalls;
};

std::vector<ModeCase> ModeCases() {
  const wchar_t* engine = L"orv_test_engine.dll";
  return {
      // No name and no cache: the login dialog asks, and is closed.
      {"no argument", L"", nullptr, {{L"登录", L""}, {L"", kNoEngine}}, true, false, ""},
      {"start", L"start", nullptr, {{L"", kNoEngine}}, false, false, ""},
      {"START", L"START", nullptr, {{L"", kNoEngine}}, false, false, ""},
      {"start x y", L"start x y", nullptr, {{L"", kNoEngine}}, false, false, ""},
      {"quoted sTaRt", L"\"sTaRt\"", nullptr, {{L"", kNoEngine}}, false, false, ""},
      {"begin", L"begin", nullptr, {}, false, true, ""},
      {"starting", L"starting", nullptr, {}, false, true, ""},
      {"empty argument", L"\"\"", nullptr, {}, false, true, ""},
      {"begin with engine", L"begin", engine, {}, false, true, ""},
      // The windows start from the cache, which is empty: the client tells so and ends, and
      // the engine is finalised all the same.
      {"no argument with engine",
       L"",
       engine,
       {{L"登录", L""}, {L"提示", kNoProfile}},
       true,
       false,
       kBothEngineCalls},
      {"start with engine", L"start", engine, {{L"提示", kNoProfile}}, false, false, kBothEngineCalls},
  };
}

}  // namespace

TEST(ClientStart, ModesTable) {
  for (const ModeCase& c : ModeCases()) {
    SCOPED_TRACE(c.name);
    SilentListener service;
    ClientFolder folder;
    folder.Settings(DebugSettings(1, service.Port()));
    folder.Put(L"Pelgrix.exe", "the updater");
    folder.Put(L"Pelgrix-2.exe", "left over by a self-update");
    if (c.engine) folder.Engine(c.engine);

    ClientResult result = RunClient(folder, c.args);
    ExpectEndedNormally(result);
    ExpectBoxes(c.boxes, result);
    EXPECT_FALSE(FileExists(folder.File(L"Pelgrix-2.exe")));
    EXPECT_EQ("the updater", ReadFileBytes(folder.File(L"Pelgrix.exe")));
    EXPECT_EQ(c.engineCalls, folder.EngineCalls());
    EXPECT_FALSE(service.WasContacted());

    std::vector<LogLine> log = ReadLog(folder);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("Main start.", log.front().message);
    EXPECT_EQ("DEBUG", log.back().level);
    EXPECT_EQ(0u, log.back().message.find("Main time: "));
    EXPECT_TRUE(HasScope(log, "Main"));
    EXPECT_EQ(c.runScope, HasScope(log, "Run"));
    EXPECT_EQ(c.badArgument, HasLine(log, "ERROR", WideToGbk(L"启动参数不正确.")));
  }
}

TEST(ClientStart, UnusableEngineEndsLikeAMissingOne) {
  struct EngineCase {
    const char* name;
    const wchar_t* args;
    std::string bytes;
  };
  const EngineCase cases[] = {
      {"empty file, start", L"start", ""},
      {"text file, start", L"start", "not a library"},
      {"truncated header, no argument", L"", "MZ\x90"},
  };
  for (const EngineCase& c : cases) {
    SCOPED_TRACE(c.name);
    SilentListener service;
    ClientFolder folder;
    folder.Settings(DebugSettings(0, service.Port()));
    folder.Put(L"node.dll", c.bytes);
    ClientResult result = RunClient(folder, c.args);
    ExpectEndedNormally(result);
    // Without a name or a cache the no-argument mode first asks for one; the dialog is closed.
    if (c.args[0] == L'\0') {
      ExpectBoxes({{L"登录", L""}, {L"", kNoEngine}}, result);
    } else {
      ExpectBoxes({{L"", kNoEngine}}, result);
    }
    EXPECT_FALSE(service.WasContacted());
  }

  // A folder named "node.dll" has attributes but is no library either.
  ClientFolder folder;
  ASSERT_TRUE(CreateDirectoryW(folder.File(L"node.dll").c_str(), nullptr));
  ClientResult result = RunClient(folder, L"start");
  ExpectEndedNormally(result);
  ExpectBoxes({{L"", kNoEngine}}, result);
}

TEST(ClientStart, EngineWithoutAnOperationIsReportedAndStillUsed) {
  ClientFolder folder;
  folder.Engine(L"orv_test_engine_missing.dll");
  ClientResult result = RunClient(folder, L"start");
  ExpectEndedNormally(result);
  ExpectBoxes({{L"wkeReload", L"wke api not found"}, {L"提示", kNoProfile}}, result);
  EXPECT_EQ(kBothEngineCalls, folder.EngineCalls());
}

namespace {

// Stands in for the running client's main frame: a hidden window with its title that
// records the wake-up messages it receives.
class FakeMainFrame {
 public:
  FakeMainFrame() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OrvantaTestMainFrame";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"Tamvik-客户端", WS_OVERLAPPED, 0, 0, 100, 100,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    EXPECT_NE(nullptr, window_);
    Received().clear();
  }
  ~FakeMainFrame() { DestroyWindow(window_); }
  FakeMainFrame(const FakeMainFrame&) = delete;
  FakeMainFrame& operator=(const FakeMainFrame&) = delete;

  struct Wake {
    WPARAM wParam;
    LPARAM lParam;
  };
  static std::vector<Wake>& Received() {
    static std::vector<Wake> received;
    return received;
  }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 1130) {
      Received().push_back({wParam, lParam});
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  HWND window_ = nullptr;
};

}  // namespace

// A self-update cut off between moving the old updater aside and putting the new one in place
// leaves "Pelgrix-2.exe" as the only updater: the client puts it back instead of deleting it.
TEST(ClientStart, ALeftOverUpdaterAloneIsPutBack) {
  for (const wchar_t* args : {L"begin", L"start"}) {
    SCOPED_TRACE(WideToUtf8(args));
    SilentListener service;
    ClientFolder folder;
    folder.Settings(DebugSettings(1, service.Port()));
    folder.Put(L"Pelgrix-2.exe", "the only updater");
    ClientResult result = RunClient(folder, args);
    ExpectEndedNormally(result);
    EXPECT_FALSE(FileExists(folder.File(L"Pelgrix-2.exe")));
    EXPECT_EQ("the only updater", ReadFileBytes(folder.File(L"Pelgrix.exe")));
  }
}

TEST(ClientStart, SecondClientWakesTheFirstAndEnds) {
  struct SecondCase {
    const char* name;
    int debug;
    bool mainFrame;
    const wchar_t* args;
  };
  const SecondCase cases[] = {
      {"debug on, main frame", 1, true, L""},
      {"debug off, main frame", 0, true, L""},
      {"debug on, first still logging in", 1, false, L""},
      {"debug on, start mode", 1, true, L"start"},
  };
  for (const SecondCase& c : cases) {
    SCOPED_TRACE(c.name);
    // The first client: its mutex and, once it has one, its main frame.
    UniqueHandle first(CreateMutexW(nullptr, FALSE, L"tvClient_Client"));
    ASSERT_TRUE(first);
    std::unique_ptr<FakeMainFrame> frame;
    if (c.mainFrame) frame = std::make_unique<FakeMainFrame>();

    SilentListener service;
    ClientFolder folder;
    folder.Settings(DebugSettings(c.debug, service.Port()));
    folder.Put(L"Pelgrix-2.exe", "left over by a self-update");
    folder.Engine(L"orv_test_engine.dll");
    ClientResult result = RunClient(folder, c.args);
    first.Reset();

    ExpectEndedNormally(result);
    EXPECT_TRUE(result.windows.empty());
    if (c.mainFrame) {
      ASSERT_EQ(1u, FakeMainFrame::Received().size());
      EXPECT_EQ(0u, FakeMainFrame::Received()[0].wParam);
      EXPECT_EQ(0, FakeMainFrame::Received()[0].lParam);
    }
    // Refused before anything else: the leftover stays, no cache, no engine, no network.
    EXPECT_TRUE(FileExists(folder.File(L"Pelgrix-2.exe")));
    EXPECT_FALSE(FileExists(folder.File(L"User.db")));
    EXPECT_EQ("", folder.EngineCalls());
    EXPECT_FALSE(service.WasContacted());

    std::vector<LogLine> log = ReadLog(folder);
    EXPECT_TRUE(FileExists(TodayLogPath(folder.Dir().Path())));
    if (c.debug) {
      ASSERT_EQ(3u, log.size());
      EXPECT_EQ("DEBUG", log[0].level);
      EXPECT_EQ("Main start.", log[0].message);
      EXPECT_EQ("ERROR", log[1].level);
      EXPECT_EQ("The program is already running.", log[1].message);
      EXPECT_TRUE(HasScope(log, "Main"));
    } else {
      EXPECT_TRUE(log.empty());
    }
  }
}
