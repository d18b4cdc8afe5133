// The script bridge driven as the pages drive it: each function called through the development
// engine's control channel, its message checked at the receiving window.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "ClientMessages.h"
#include "ModulePath.h"
#include "ScriptBridge.h"
#include "TestSupport.h"
#include "WebViewHarness.h"

using namespace webtest;

namespace {

// A plain window holding one engine view, created with the engine directly (no control).
class EngineViewHost {
 public:
  EngineViewHost() {
    StartToolkitAndEngine();  // the fixture's members are made before its SetUp
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvBridgeTestHost";
    RegisterClassExW(&wc);
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"bridge host", WS_POPUP | WS_VISIBLE, 0, 0,
                            400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    view_ = WkeCall(wkeCreateWebWindow, WKE_WINDOW_TYPE_CONTROL, hwnd_, 0, 0, 400, 300);
    WkeCall(wkeOnDocumentReady, view_, &EngineViewHost::OnReady, static_cast<void*>(this));
  }
  ~EngineViewHost() { DestroyWindow(hwnd_); }
  HWND ViewWindow() const { return WkeCall(wkeGetHostHWND, view_); }
  // Loads a fixture page and waits for its document.
  bool Load(const char* page) {
    const int before = ready_;
    WkeCall(wkeLoadURL, view_, FixtureUrl(page).c_str());
    return testsupport::WaitFor([&] { return ready_ > before; }, 10000);
  }

 private:
  static void __cdecl OnReady(wkeWebView, void* param) { ++static_cast<EngineViewHost*>(param)->ready_; }
  HWND hwnd_ = nullptr;
  wkeWebView view_ = nullptr;
  int ready_ = 0;
};

struct ShopCase {
  const char* call;
  WPARAM code;
  LPARAM lParam;     // for integer cases
  const char* text;  // for text cases: what the handler reads through lParam; null otherwise
  bool sent;
  const char* returned;
};

// "SetCX" is bound twice; the development engine keeps the later function (sub-code 11).
const ShopCase kShopCases[] = {
    {"onBuyProductSuccess(1001)", SCRIPT_BUY_SUCCESS, 1001, nullptr, true, "undefined"},
    {"onBuyProductSuccess()", SCRIPT_BUY_SUCCESS, 0, nullptr, true, "undefined"},
    {"SetForm_Mini()", SCRIPT_SET_FORM_MINI, 0, nullptr, false, "undefined"},
    {"SetForm_Max()", SCRIPT_SET_FORM_MAX, 0, nullptr, false, "undefined"},
    {"SetForm_Min()", SCRIPT_SET_FORM_MIN, 0, nullptr, false, "undefined"},
    {"SendMessage(42)", SCRIPT_SEND_MESSAGE, 0, "42", true, "undefined"},
    {"SendMessage(-7)", SCRIPT_SEND_MESSAGE, 0, "-7", true, "undefined"},
    {"SendMessage('not a number')", SCRIPT_SEND_MESSAGE, 0, "0", true, "undefined"},
    {"Loop_TempOrder('order-20240101-0001')", SCRIPT_LOOP_TEMP_ORDER, 0, "order-20240101-0001", true, "1"},
    {"Loop_TempOrder(12)", SCRIPT_LOOP_TEMP_ORDER, 0, "12", true, "1"},
    {"GetLeftTimeLength()", SCRIPT_GET_LEFT_TIME, 0, nullptr, false, "undefined"},
    {"GetLeftTimeLength_lol()", SCRIPT_GET_LEFT_TIME_LOL, 0, nullptr, false, "undefined"},
    {"GetLeftTimeLength_xy()", SCRIPT_GET_LEFT_TIME_XY, 0, nullptr, false, "undefined"},
    {"WebBrowserRefresh()", SCRIPT_WEB_REFRESH, 0, nullptr, false, "undefined"},
    {"SetCX()", SCRIPT_SET_CX_AGAIN, 0, nullptr, false, "undefined"},
    {"SetFD()", SCRIPT_SET_FD, 0, nullptr, false, "undefined"},
    {"Start_Compere('\xE6\xAC\xA2\xE8\xBF\x8E\xE5\x85\x89\xE4\xB8\xB4')", SCRIPT_START_COMPERE, 0,
     "\xE6\xAC\xA2\xE8\xBF\x8E\xE5\x85\x89\xE4\xB8\xB4", true, "undefined"},
    {"Start_Compere()", SCRIPT_START_COMPERE, 0, "undefined", true, "undefined"},
    {"parent_add_cart(7)", SCRIPT_PARENT_ADD_CART, 7, nullptr, true, "undefined"},
};

class ScriptBridgeShop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartToolkitAndEngine());
    BindShopFunctions();
    MainFrameHwnd = mainFrame_.Handle();
    ASSERT_TRUE(host_.Load("shop.html"));
  }
  void TearDown() override { MainFrameHwnd = nullptr; }

  MessageSink mainFrame_;
  EngineViewHost host_;
};

TEST_F(ScriptBridgeShop, EachFunctionSendsOrPostsItsSubCodeToTheMainFrame) {
  for (const ShopCase& c : kShopCases) {
    SCOPED_TRACE(c.call);
    mainFrame_.received.clear();
    std::string returned;
    ASSERT_TRUE(CallAsPage(host_.ViewWindow(), c.call, &returned));
    EXPECT_EQ(c.returned, returned);
    if (c.sent) {
      // Handled inside the call: already there when the call returned.
      ASSERT_EQ(1u, mainFrame_.received.size());
    } else {
      EXPECT_TRUE(mainFrame_.received.empty() || !mainFrame_.received[0].duringCall);
      testsupport::WaitFor([&] { return !mainFrame_.received.empty(); }, 5000);
      ASSERT_EQ(1u, mainFrame_.received.size());
    }
    const Received& r = mainFrame_.received[0];
    EXPECT_EQ(static_cast<UINT>(WM_MF_SCRIPT), r.message);
    EXPECT_EQ(c.code, r.wParam);
    EXPECT_EQ(c.sent, r.duringCall);
    if (c.text != nullptr) {
      EXPECT_NE(0, r.lParam);
      EXPECT_EQ(c.text, r.text);
    } else {
      EXPECT_EQ(c.lParam, r.lParam);
    }
  }
}

TEST_F(ScriptBridgeShop, RegistersFifteenFunctionsInOrderWithTheirArgumentCounts) {
  struct Bound {
    std::string name;
    unsigned argCount;
  };
  static std::vector<Bound> bound;
  bound.clear();
  const jsBindFunctionFn engine = jsBindFunction;
  jsBindFunction = [](const char* name, jsNativeFunction, unsigned int argCount) {
    bound.push_back(Bound{name, argCount});
  };
  BindShopFunctions();
  jsBindFunction = engine;

  const Bound expected[] = {{"onBuyProductSuccess", 1},
                            {"SetForm_Mini", 0},
                            {"SetForm_Max", 0},
                            {"SetForm_Min", 0},
                            {"SendMessage", 1},
                            {"Loop_TempOrder", 1},
                            {"GetLeftTimeLength", 0},
                            {"GetLeftTimeLength_lol", 0},
                            {"GetLeftTimeLength_xy", 0},
                            {"WebBrowserRefresh", 0},
                            {"SetCX", 0},
                            {"SetCX", 0},
                            {"SetFD", 0},
                            {"Start_Compere", 1},
                            {"parent_add_cart", 1}};
  ASSERT_EQ(std::size(expected), bound.size());
  for (size_t i = 0; i < bound.size(); ++i) {
    EXPECT_EQ(expected[i].name, bound[i].name) << i;
    EXPECT_EQ(expected[i].argCount, bound[i].argCount) << i;
  }

  // An engine without jsBindFunction: nothing is registered, and nothing crashes.
  jsBindFunction = nullptr;
  BindShopFunctions();
  BindDialogFunctions(WebDialog::Call);
  jsBindFunction = engine;
}

// The debug lines go to the day log beside the program when Setting.ini beside it has debug on.
class DebugSettingBesideProgram {
 public:
  DebugSettingBesideProgram() : path_(GetModuleDir() + L"Setting.ini") {
    existed_ = testsupport::FileExists(path_);
    if (!existed_) testsupport::WriteFileBytes(path_, "[CONFIG]\r\ndebug=1\r\n");
  }
  ~DebugSettingBesideProgram() {
    if (!existed_) DeleteFileW(path_.c_str());
  }
  bool Usable() const { return !existed_; }

 private:
  std::wstring path_;
  bool existed_ = false;
};

TEST_F(ScriptBridgeShop, CartAndCompereCallsWriteTheirDebugLines) {
  DebugSettingBesideProgram setting;
  ASSERT_TRUE(setting.Usable()) << "a Setting.ini is already beside the test program";
  const std::wstring log = testsupport::TodayLogPath(GetModuleDir());
  const size_t before = testsupport::ReadFileBytes(log).size();

  std::string returned;
  ASSERT_TRUE(CallAsPage(host_.ViewWindow(), "parent_add_cart(7)", &returned));
  EXPECT_EQ("undefined", returned);
  ASSERT_TRUE(CallAsPage(host_.ViewWindow(), "Start_Compere('\xE4\xBD\xA0\xE5\xA5\xBD')", &returned));

  const std::string written = testsupport::ReadFileBytes(log).substr(before);
  auto hasLineEndingWith = [&](const std::string& tail) {
    for (const std::string& line : testsupport::SplitLines(written)) {
      if (line.size() >= tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0)
        return true;
    }
    return false;
  };
  EXPECT_TRUE(hasLineEndingWith(":js_parent_add_cart:7")) << written;
  // The page's text as it came, UTF-8.
  EXPECT_TRUE(hasLineEndingWith(":compere:\xE4\xBD\xA0\xE5\xA5\xBD")) << written;
}

TEST_F(ScriptBridgeShop, WithoutTheMainFrameHandleNothingIsPostedToTheThread) {
  MainFrameHwnd = nullptr;
  std::string returned;
  ASSERT_TRUE(CallAsPage(host_.ViewWindow(), "SetForm_Max()", &returned));
  EXPECT_EQ("undefined", returned);
  ASSERT_TRUE(CallAsPage(host_.ViewWindow(), "Loop_TempOrder('x')", &returned));
  EXPECT_EQ("1", returned);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_MF_SCRIPT, WM_MF_SCRIPT, PM_REMOVE));
  EXPECT_TRUE(mainFrame_.received.empty());
}

struct DialogCase {
  const char* call;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

const DialogCase kDialogCases[] = {
    {"CloseWindow()", WM_DLG_CLOSE, 0, 0},
    {"MinWindow()", WM_SYSCOMMAND, SC_MINIMIZE, 0},
    {"MaxWindow()", WM_SYSCOMMAND, SC_MAXIMIZE, 0},
    {"RestoreWindow()", WM_SYSCOMMAND, SC_RESTORE, 0},
    {"CaptionButtonDown(10, 20)", WM_DLG_CAPTION_DOWN, 10, 20},
    {"CaptionMouseMove(-5, 300)", WM_DLG_CAPTION_MOVE, static_cast<WPARAM>(-5), 300},
    {"CaptionMouseMove('12', 'y')", WM_DLG_CAPTION_MOVE, 12, 0},
    {"CaptionButtonUp()", WM_DLG_CAPTION_UP, 0, 0},
};

// Each dialog binds the same seven names before its own page loads, as the dialogs do.
class ScriptBridgeDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartToolkitAndEngine());
    const WebDialog dialogs[] = {WebDialog::Call, WebDialog::Leave, WebDialog::Song};
    for (int i = 0; i < 3; ++i) {
      BindDialogFunctions(dialogs[i]);
      ASSERT_TRUE(hosts_[i].Load("dialog.html"));
    }
  }
  void TearDown() override { CallDialogHwnd = LeaveDialogHwnd = SongDialogHwnd = nullptr; }

  void SetHandles() {
    CallDialogHwnd = sinks_[0].Handle();
    LeaveDialogHwnd = sinks_[1].Handle();
    SongDialogHwnd = sinks_[2].Handle();
  }
  void ClearReceived() {
    for (MessageSink& sink : sinks_) sink.received.clear();
  }

  MessageSink sinks_[3];
  EngineViewHost hosts_[3];
};

TEST_F(ScriptBridgeDialog, EachDialogPageReachesItsOwnDialog) {
  SetHandles();
  for (int dialog = 0; dialog < 3; ++dialog) {
    for (const DialogCase& c : kDialogCases) {
      SCOPED_TRACE(std::string(c.call) + " on dialog " + std::to_string(dialog));
      ClearReceived();
      std::string returned;
      ASSERT_TRUE(CallAsPage(hosts_[dialog].ViewWindow(), c.call, &returned));
      EXPECT_EQ("undefined", returned);
      // Posted: the dialog sees it after the call, from its queue.
      ASSERT_TRUE(testsupport::WaitFor([&] { return !sinks_[dialog].received.empty(); }, 5000));
      DrainMessages();
      for (int other = 0; other < 3; ++other) {
        EXPECT_EQ(other == dialog ? 1u : 0u, sinks_[other].received.size()) << "dialog " << other;
      }
      const Received& r = sinks_[dialog].received[0];
      EXPECT_EQ(c.message, r.message);
      EXPECT_EQ(c.wParam, r.wParam);
      EXPECT_EQ(c.lParam, r.lParam);
      EXPECT_FALSE(r.duringCall);
    }
  }
}

TEST_F(ScriptBridgeDialog, WithoutItsHandleADialogFunctionDoesNothing) {
  // Only the venue-message dialog exists.
  LeaveDialogHwnd = sinks_[1].Handle();
  for (int dialog : {0, 2}) {
    for (const DialogCase& c : kDialogCases) {
      SCOPED_TRACE(c.call);
      std::string returned;
      ASSERT_TRUE(CallAsPage(hosts_[dialog].ViewWindow(), c.call, &returned));
      EXPECT_EQ("undefined", returned);
    }
  }
  DrainMessages();
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE))
      << "a thread message was posted";
  for (const MessageSink& sink : sinks_) {
    EXPECT_TRUE(sink.received.empty());
  }
}

}  // namespace
