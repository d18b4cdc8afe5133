// The development engine driven as the client drives it: loaded by name, functions bound,
// pages served by a local HTTP stand-in; clicks, control-channel calls and scripts checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "DevEngineControl.h"
#include "EngineLibrary.h"
#include "LocalHttpServer.h"
#include "TestSupport.h"

namespace {

using testsupport::WaitFor;

const char kShopPage[] =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Stand-in shop</title>"
    "<meta name=\"orv-return\" content=\"changeBigWindow='big'\">"
    "<meta name=\"orv-return\" content=\"pageCount=42\">"
    "<script>function changeBigWindow() { return 'big'; }</script></head><body>"
    "<h1>Shop</h1><p>Order to your   seat &amp; pay later.</p>"
    "<button data-call=\"Echo\" data-args=\"7, '\xE8\x8C\xB6 tea'\">Order tea</button>"
    "<button data-call=\"Repeat\">Repeat</button>"
    "</body></html>";

// The engine's load threads post this to the view's window once their result is in the view's
// mailbox (devengine/src/Engine.h): one per load, superseded or not.
constexpr UINT kEngineLoadDone = WM_APP + 0x101;

// While alive, counts the load results that this thread takes from its queue.
class LoadResults {
 public:
  LoadResults() : hook_(SetWindowsHookExW(WH_GETMESSAGE, &Seen, nullptr, GetCurrentThreadId())) {
    count_ = 0;
    EXPECT_NE(hook_, nullptr);
  }
  ~LoadResults() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  LoadResults(const LoadResults&) = delete;
  LoadResults& operator=(const LoadResults&) = delete;
  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK Seen(int code, WPARAM removal, LPARAM param) {
    const MSG* msg = reinterpret_cast<const MSG*>(param);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == kEngineLoadDone) ++count_;
    return CallNextHookEx(nullptr, code, removal, param);
  }
  static int count_;
  HHOOK hook_;
};
int LoadResults::count_ = 0;

struct CallRecord {
  std::string name;
  DWORD thread = 0;
  std::vector<int> ints;
  std::vector<std::string> texts;
};
std::vector<CallRecord> g_calls;

jsValue Record(const char* name, jsExecState state, int argCount) {
  EngineLibrary& e = Engine();
  CallRecord record;
  record.name = name;
  record.thread = GetCurrentThreadId();
  for (int i = 0; i < argCount; ++i) {
    jsValue value = e.jsArg(state, i);
    record.ints.push_back(e.jsToInt(state, value));
    record.texts.push_back(e.jsToString(state, value));
  }
  g_calls.push_back(record);
  return e.jsUndefined();
}

// Echo returns twice its first argument as a raw value, as the client's functions return raw
// numbers.
jsValue __cdecl Echo(jsExecState state) {
  Record("Echo", state, 2);
  return static_cast<jsValue>(g_calls.back().ints[0]) * 2;
}
jsValue __cdecl First(jsExecState state) { return Record("First", state, 0); }
jsValue __cdecl Second(jsExecState state) { return Record("Second", state, 0); }
jsValue __cdecl Third(jsExecState state) { return Record("Third", state, 0); }
jsValue __cdecl Probe(jsExecState state) { return Record("Probe", state, 5); }

struct ReadyEvent {
  wkeWebView view;
  DWORD thread;
  int servedBefore;
};

class DevEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    EngineLibrary& e = Engine();
    ASSERT_NE(e.module, nullptr) << "node.dll was not found in the dist folder";
    ASSERT_TRUE(e.missing.empty()) << "missing operation " << e.missing.front();
    ASSERT_TRUE(server_.Started());
    server_.SetRoute("/shop", LocalHttpServer::Route{200, "text/html; charset=utf-8", kShopPage, 0});
    e.wkeInitializeEx(nullptr);
    g_calls.clear();
    uiThread_ = GetCurrentThreadId();

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DevEngineTestHost";
    RegisterClassExW(&wc);
    host_ = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"DevEngine test host", WS_POPUP | WS_VISIBLE, 0,
                            0, 800, 600, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(host_, nullptr) << "CreateWindowExW failed, error " << GetLastError();
  }

  void TearDown() override {
    if (host_) DestroyWindow(host_);
    Engine().wkeFinalize();
  }

  wkeWebView NewView() {
    EngineLibrary& e = Engine();
    wkeWebView view = e.wkeCreateWebWindow(WKE_WINDOW_TYPE_CONTROL, host_, 0, 0, 780, 560);
    if (!view) return nullptr;
    e.wkeShowWindow(view, true);
    e.wkeOnDocumentReady(view, &DevEngine::OnReady, this);
    return view;
  }

  static void __cdecl OnReady(wkeWebView view, void* param) {
    auto* self = static_cast<DevEngine*>(param);
    self->ready_.push_back(ReadyEvent{view, GetCurrentThreadId(), self->server_.Served("/shop")});
  }

  int ReadyCount(wkeWebView view) const {
    int n = 0;
    for (const ReadyEvent& event : ready_) n += event.view == view ? 1 : 0;
    return n;
  }

  // Loads an address and waits for its document-ready callback.
  bool LoadAndWait(wkeWebView view, const std::string& url) {
    int before = ReadyCount(view);
    Engine().wkeLoadURL(view, url.c_str());
    return WaitFor([&] { return ReadyCount(view) > before; }, 10000);
  }

  // Runs a harness step on another thread (as a tool in another process would), pumping this
  // thread's messages meanwhile so that the views can answer.
  void FromHarness(const std::function<void()>& step) {
    bool done = false;
    std::thread harness([&] {
      step();
      done = true;
    });
    WaitFor([&] { return done; }, 15000);
    harness.join();
  }

  std::map<std::string, std::string> Status(HWND view) {
    std::map<std::string, std::string> status;
    FromHarness([&] { status = devengine::QueryViewStatus(view); });
    return status;
  }

  std::vector<std::string> PageText(HWND view) {
    std::vector<std::string> lines;
    FromHarness([&] { lines = devengine::QueryViewText(view); });
    return lines;
  }

  struct ButtonSearch {
    std::wstring label;
    HWND found;
  };

  // A named CALLBACK: a lambda converts to a plain function pointer, which on i686 has the
  // wrong calling convention for EnumChildWindows.
  static BOOL CALLBACK MatchButton(HWND child, LPARAM lParam) {
    auto* s = reinterpret_cast<ButtonSearch*>(lParam);
    wchar_t text[128] = {}, cls[32] = {};
    GetWindowTextW(child, text, 128);
    GetClassNameW(child, cls, 32);
    if (lstrcmpiW(cls, L"Button") == 0 && s->label == text) s->found = child;
    return s->found == nullptr;
  }

  static HWND FindButton(HWND view, const std::wstring& label) {
    ButtonSearch search{label, nullptr};
    EnumChildWindows(view, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  static bool Contains(const std::vector<std::string>& lines, const std::string& needle) {
    for (const std::string& line : lines) {
      if (line.find(needle) != std::string::npos) return true;
    }
    return false;
  }

  LocalHttpServer server_;
  HWND host_ = nullptr;
  DWORD uiThread_ = 0;
  std::vector<ReadyEvent> ready_;
};

TEST_F(DevEngine, DocumentReadyArrivesOnTheUiThreadAfterThePageWasServedAndShown) {
  LocalHttpServer::Route slow{200, "text/html; charset=utf-8", kShopPage, 400};
  server_.SetRoute("/shop", slow);
  wkeWebView view = NewView();
  ASSERT_NE(view, nullptr);
  HWND hwnd = Engine().wkeGetHostHWND(view);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetParent(hwnd), host_);

  Engine().wkeLoadURL(view, server_.Url("/shop").c_str());
  // The load runs off this thread: the call returned while the server still holds its answer.
  EXPECT_EQ(ReadyCount(view), 0);
  EXPECT_EQ(server_.Served("/shop"), 0);
  ASSERT_TRUE(WaitFor([&] { return ReadyCount(view) == 1; }, 10000));
  EXPECT_EQ(ready_[0].thread, uiThread_);
  EXPECT_EQ(ready_[0].servedBefore, 1);

  auto status = Status(hwnd);
  EXPECT_EQ(status["url"], server_.Url("/shop"));
  EXPECT_EQ(status["state"], "loaded");
  EXPECT_EQ(status["title"], "Stand-in shop");
  EXPECT_EQ(status["ready"], "1");
  EXPECT_EQ(status["readyCallbacks"], "1");
  std::vector<std::string> text = PageText(hwnd);
  ASSERT_GE(text.size(), 4u);
  EXPECT_EQ(text[0], "Stand-in shop");
  EXPECT_EQ(text[1], "Shop");
  EXPECT_EQ(text[2], "Order to your seat & pay later.");
  EXPECT_EQ(text[3], "[Order tea] Echo(7, '\xE8\x8C\xB6 tea')");
  EXPECT_NE(FindButton(hwnd, L"Order tea"), nullptr);
  EXPECT_NE(FindButton(hwnd, L"Repeat"), nullptr);
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  std::string url = server_.Url("/shop");
  EXPECT_EQ(std::wstring(title), std::wstring(url.begin(), url.end()));
}

TEST_F(DevEngine, MouseClickOnAPageButtonCallsTheBoundFunctionWithItsArgumentsOnTheUiThread) {
  Engine().jsBindFunction("Echo", Echo, 2);
  wkeWebView view = NewView();
  ASSERT_TRUE(LoadAndWait(view, server_.Url("/shop")));
  HWND button = FindButton(Engine().wkeGetHostHWND(view), L"Order tea");
  ASSERT_NE(button, nullptr);

  RECT rect;
  GetWindowRect(button, &rect);
  int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
  int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = (x * 65535 + cx / 2) / (cx - 1);
  inputs[0].mi.dy = (y * 65535 + cy / 2) / (cy - 1);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  WaitFor([] { return false; }, 200);
  ASSERT_EQ(SendInput(3, inputs, sizeof(INPUT)), 3u);

  ASSERT_TRUE(WaitFor([] { return !g_calls.empty(); }, 5000));
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].name, "Echo");
  EXPECT_EQ(g_calls[0].thread, uiThread_);
  EXPECT_EQ(g_calls[0].ints[0], 7);
  EXPECT_EQ(g_calls[0].texts[1], "\xE8\x8C\xB6 tea");
}

TEST_F(DevEngine, ControlChannelCallReachesTheBoundFunctionOnTheUiThread) {
  Engine().jsBindFunction("Echo", Echo, 2);
  wkeWebView view = NewView();
  ASSERT_TRUE(LoadAndWait(view, server_.Url("/shop")));

  std::vector<HWND> found;
  bool called = false, unknown = true, malformed = true;
  std::string result, unknownReason, malformedReason;
  FromHarness([&] {
    found = devengine::FindViewWindows(GetCurrentProcessId());
    if (found.size() != 1) return;
    called = devengine::CallViewFunction(
        found[0], "Echo(-3, " + devengine::ScriptString("it's \xE4\xBD\xA0") + ")", &result);
    unknown = devengine::CallViewFunction(found[0], "Nope(1)", &unknownReason);
    malformed = devengine::CallViewFunction(found[0], "Echo(1", &malformedReason);
  });
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0], Engine().wkeGetHostHWND(view));
  ASSERT_TRUE(called) << result;
  EXPECT_EQ(result, "-6");
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].thread, uiThread_);
  EXPECT_EQ(g_calls[0].ints[0], -3);
  EXPECT_EQ(g_calls[0].texts[1], "it's \xE4\xBD\xA0");
  EXPECT_FALSE(unknown);
  EXPECT_EQ(unknownReason, "error: Nope is not defined");
  EXPECT_FALSE(malformed);
  EXPECT_NE(malformedReason.find("error:"), std::string::npos);
  auto status = Status(found[0]);
  EXPECT_EQ(status["calls"], "1");
  EXPECT_EQ(status["lastCall"], "Echo");
}

TEST_F(DevEngine, ProbeInAnotherProcessCallsAFunctionAndReadsStatusAndScripts) {
  EngineLibrary& e = Engine();
  e.jsBindFunction("Echo", Echo, 2);
  wkeWebView view = NewView();
  ASSERT_TRUE(LoadAndWait(view, server_.Url("/shop")));
  e.wkeRunJSW(view, L"changeBigWindow()");
  e.wkeRunJSW(view, L"more_product()");

  testsupport::TempDir dir;
  std::wstring probe = std::wstring(ORV_TEST_BIN_DIR) + L"DevEngineProbe.exe";
  std::wstring pid = std::to_wstring(GetCurrentProcessId());
  struct Run {
    std::wstring args;
    std::wstring out;
    testsupport::ProcessResult result;
  } runs[] = {
      {L"call \"Echo(5, '\x8336 tea')\"", L"call.txt", {}},
      {L"status", L"status.txt", {}},
      {L"scripts", L"scripts.txt", {}},
      {L"call \"Missing()\"", L"missing.txt", {}},
  };
  FromHarness([&] {
    for (Run& run : runs) {
      run.result = testsupport::RunProcess(
          probe, L"--pid " + pid + L" --out \"" + dir.File(run.out) + L"\" " + run.args, L"", 20000);
    }
  });
  for (const Run& run : runs) ASSERT_TRUE(run.result.started && !run.result.timedOut) << run.out;
  EXPECT_EQ(runs[0].result.exitCode, 0u);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File(L"call.txt")), "10\n");
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].thread, uiThread_);
  EXPECT_EQ(g_calls[0].ints[0], 5);
  EXPECT_EQ(g_calls[0].texts[1], "\xE8\x8C\xB6 tea");
  EXPECT_EQ(runs[1].result.exitCode, 0u);
  std::string status = testsupport::ReadFileBytes(dir.File(L"status.txt"));
  EXPECT_NE(status.find("url=" + server_.Url("/shop") + "\n"), std::string::npos) << status;
  EXPECT_NE(status.find("ready=1\n"), std::string::npos) << status;
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File(L"scripts.txt")), "changeBigWindow()\nmore_product()\n");
  EXPECT_EQ(runs[3].result.exitCode, 1u);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File(L"missing.txt")), "error: Missing is not defined\n");
}

TEST_F(DevEngine, ScriptsAreRecordedInOrderAndAnsweredWithThePagesDeclaredValues) {
  EngineLibrary& e = Engine();
  wkeWebView view = NewView();
  ASSERT_TRUE(LoadAndWait(view, server_.Url("/shop")));
  struct Case {
    const wchar_t* script;
    const wchar_t* answer;
  } cases[] = {
      {L"changeBigWindow()", L"big"},        {L"more_product()", L"undefined"}, {L" pageCount ( ) ;", L"42"},
      {L"show_pay_success()", L"undefined"}, {L"changeBigWindow()", L"big"},
  };
  for (const Case& c : cases) {
    jsValue value = e.wkeRunJSW(view, c.script);
    EXPECT_STREQ(e.jsToTempStringW(e.wkeGlobalExec(view), value), c.answer) << c.script;
  }
  EXPECT_EQ(e.jsToInt(e.wkeGlobalExec(view), e.wkeRunJSW(view, L"pageCount()")), 42);

  std::vector<std::string> scripts;
  FromHarness([&] { scripts = devengine::QueryViewScripts(e.wkeGetHostHWND(view)); });
  std::vector<std::string> expected = {"changeBigWindow()",  "more_product()",    " pageCount ( ) ;",
                                       "show_pay_success()", "changeBigWindow()", "pageCount()"};
  EXPECT_EQ(scripts, expected);
}

TEST_F(DevEngine, RepeatedNameReplacesTheEarlierFunctionForPagesLoadedAfterwards) {
  EngineLibrary& e = Engine();
  e.jsBindFunction("Repeat", First, 0);
  e.jsBindFunction("Repeat", Second, 0);
  wkeWebView early = NewView();
  ASSERT_TRUE(LoadAndWait(early, server_.Url("/shop")));
  e.jsBindFunction("Repeat", Third, 0);
  wkeWebView late = NewView();
  ASSERT_TRUE(LoadAndWait(late, server_.Url("/shop")));
  // Reloading keeps the functions the view's first page had.
  ASSERT_TRUE(LoadAndWait(early, server_.Url("/shop")));

  for (wkeWebView view : {early, late}) {
    HWND button = FindButton(e.wkeGetHostHWND(view), L"Repeat");
    ASSERT_NE(button, nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
  }
  ASSERT_EQ(g_calls.size(), 2u);
  EXPECT_EQ(g_calls[0].name, "Second");
  EXPECT_EQ(g_calls[1].name, "Third");
}

TEST_F(DevEngine, APageThatFailsToLoadSaysWhy) {
  // A port that refuses connections: bound, then closed again.
  LocalHttpServer* closed = new LocalHttpServer;
  std::string refused = closed->Url("/shop");
  delete closed;
  struct Case {
    std::string url;
    std::string reason;
  } cases[] = {
      {server_.Url("/missing"), "HTTP 404 Not Found"},
      {refused, "could not connect to the server"},
      {"file:///Z:/no/such/folder/page.html", "cannot be opened"},
      {"ftp://127.0.0.1/page.html", "scheme is not supported"},
      {"", "the address is empty"},
  };
  for (const Case& c : cases) {
    wkeWebView view = NewView();
    ASSERT_TRUE(LoadAndWait(view, c.url)) << c.url;
    HWND hwnd = Engine().wkeGetHostHWND(view);
    auto status = Status(hwnd);
    EXPECT_EQ(status["state"], "failed") << c.url;
    EXPECT_NE(status["error"].find(c.reason), std::string::npos) << c.url << ": " << status["error"];
    std::vector<std::string> text = PageText(hwnd);
    EXPECT_TRUE(Contains(text, "Reason: " + status["error"])) << c.url;
    EXPECT_TRUE(Contains(text, "Address: " + c.url)) << c.url;
  }
}

TEST_F(DevEngine, ReloadLoadsTheAddressAgainAndANullCallbackUnregisters) {
  EngineLibrary& e = Engine();
  wkeWebView view = NewView();
  ASSERT_TRUE(LoadAndWait(view, server_.Url("/shop")));
  int before = ReadyCount(view);
  e.wkeReload(view);
  ASSERT_TRUE(WaitFor([&] { return ReadyCount(view) == before + 1; }, 10000));
  EXPECT_EQ(server_.Served("/shop"), 2);

  e.wkeOnDocumentReady(view, nullptr, nullptr);
  e.wkeReload(view);
  HWND hwnd = e.wkeGetHostHWND(view);
  ASSERT_TRUE(WaitFor([&] { return Status(hwnd)["ready"] == "3"; }, 10000));
  EXPECT_EQ(server_.Served("/shop"), 3);
  EXPECT_EQ(ReadyCount(view), 2);
  EXPECT_EQ(Status(hwnd)["readyCallbacks"], "2");
}

TEST_F(DevEngine, ANewerLoadSupersedesOneStillUnderWay) {
  server_.SetRoute("/slow", LocalHttpServer::Route{200, "text/html", "<title>Slow</title>", 800});
  wkeWebView view = NewView();
  HWND hwnd = Engine().wkeGetHostHWND(view);
  LoadResults results;
  Engine().wkeLoadURL(view, server_.Url("/slow").c_str());
  Engine().wkeLoadURL(view, server_.Url("/shop").c_str());
  ASSERT_TRUE(WaitFor([&] { return ReadyCount(view) == 1; }, 10000));
  // Once the slow answer has reached the view too, it must neither have replaced the page nor
  // reported readiness.
  ASSERT_TRUE(WaitFor([&] { return results.Count() == 2; }, 10000));
  ASSERT_TRUE(testsupport::HandlePostedMessages());
  EXPECT_EQ(server_.Served("/slow"), 1);
  EXPECT_EQ(ReadyCount(view), 1);
  auto status = Status(hwnd);
  EXPECT_EQ(status["url"], server_.Url("/shop"));
  EXPECT_EQ(status["title"], "Stand-in shop");
  EXPECT_EQ(status["ready"], "1");
}

TEST_F(DevEngine, PagesAreShownAsTitleTextAndCallButtons) {
  struct Case {
    const char* contentType;
    std::string body;
    std::vector<std::string> shown;
  } cases[] = {
      {"text/html; charset=utf-8",
       "<title>T &amp; U</title><p>a &lt;b&gt; &#x4E2D;&#25991;</p>",
       {"T & U", "a <b> \xE4\xB8\xAD\xE6\x96\x87"}},
      {"text/html",
       "<div>x<button data-call=\"F\" data-args=\"1, 'y'\"><b>Bold</b>\n label</button>z</div>",
       {"x", "[Bold label] F(1, 'y')", "z"}},
      {"text/html",
       "<input type=button data-call=G value=Go><img data-call=\"H\" alt=\"Pic\"><span data-call=I></span>",
       {"[Go] G()", "[Pic] H()", "[I] I()"}},
      {"text/html",
       "<script>document.write('<p>x</p>')</script><style>p{}</style><!-- <p>hidden</p> --><p>shown</p>",
       {"shown"}},
      {"text/html; charset=gbk", "<p>\xD6\xD0\xCE\xC4</p>", {"\xE4\xB8\xAD\xE6\x96\x87"}},
      {"text/html", "<meta charset=\"gb2312\"><p>\xD6\xD0\xCE\xC4</p>", {"\xE4\xB8\xAD\xE6\x96\x87"}},
      {"text/html", "\xEF\xBB\xBF<h2>Head</h2>body text<br>next", {"Head", "body text", "next"}},
  };
  int index = 0;
  for (const Case& c : cases) {
    std::string path = "/page" + std::to_string(index++);
    server_.SetRoute(path, LocalHttpServer::Route{200, c.contentType, c.body, 0});
    wkeWebView view = NewView();
    ASSERT_TRUE(LoadAndWait(view, server_.Url(path)));
    std::vector<std::string> text = PageText(Engine().wkeGetHostHWND(view));
    EXPECT_EQ(text, c.shown) << c.body;
  }
}

TEST_F(DevEngine, ScriptValuesConvertAsPageScriptWould) {
  EngineLibrary& e = Engine();
  e.jsBindFunction("Probe", Probe, 5);
  wkeWebView view = NewView();
  ASSERT_TRUE(LoadAndWait(view, server_.Url("/shop")));
  bool called = false;
  std::string result;
  FromHarness([&] {
    called = devengine::CallViewFunction(e.wkeGetHostHWND(view), "Probe(12, ' 34 ', 'x', true)", &result);
  });
  ASSERT_TRUE(called) << result;
  EXPECT_EQ(result, "undefined");
  ASSERT_EQ(g_calls.size(), 1u);
  EXPECT_EQ(g_calls[0].ints, (std::vector<int>{12, 34, 0, 1, 0}));
  EXPECT_EQ(g_calls[0].texts, (std::vector<std::string>{"12", " 34 ", "x", "true", "undefined"}));

  jsExecState global = e.wkeGlobalExec(view);
  EXPECT_STREQ(e.jsToString(global, 1), "1");  // the raw value 1 is the number 1
  EXPECT_STREQ(e.jsToString(global, e.jsUndefined()), "undefined");
  EXPECT_EQ(e.jsToInt(global, e.jsUndefined()), 0);
  EXPECT_EQ(e.jsToString(global, e.jsArg(global, 0)), std::string("undefined"));
}

TEST_F(DevEngine, ViewsFollowResizeShowAndRecordTheClientsRequests) {
  EngineLibrary& e = Engine();
  wkeWebView view = NewView();
  HWND hwnd = e.wkeGetHostHWND(view);
  e.wkeResize(view, 320, 200);
  RECT rect;
  GetWindowRect(hwnd, &rect);
  EXPECT_EQ(rect.right - rect.left, 320);
  EXPECT_EQ(rect.bottom - rect.top, 200);
  e.wkeShowWindow(view, false);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  e.wkeShowWindow(view, true);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  e.wkeSetTouchEnabled(view, true);
  e.wkeFocus(view);
  e.wkeSetDebugConfig(view, "showDevTools", "Z:\\app\\devtools//front_end//inspector.html");
  e.wkeKeyDown(view, 'A', 0, false);
  e.wkeMouseEvent(view, 13, 5, 5, 1);
  auto status = Status(hwnd);
  EXPECT_EQ(status["touch"], "1");
  EXPECT_EQ(status["focused"], "1");
  EXPECT_EQ(status["debug"], "showDevTools Z:\\app\\devtools//front_end//inspector.html");
  EXPECT_EQ(status["keyEvents"], "1");
  EXPECT_EQ(status["mouseEvents"], "1");
  EXPECT_EQ(status["state"], "empty");
  EXPECT_EQ(e.wkeCreateWebWindow(WKE_WINDOW_TYPE_CONTROL, nullptr, 0, 0, 10, 10), nullptr);
}

TEST_F(DevEngine, FixtureShopPageOffersTheShopFunctionsAsButtons) {
  wkeWebView view = NewView();
  std::wstring path = std::wstring(ORV_TEST_SOURCE_DIR) + L"fixtures/pages/shop.html";
  std::string url = "file:///";
  for (wchar_t c : path) url.push_back(static_cast<char>(c));
  ASSERT_TRUE(LoadAndWait(view, url));
  std::vector<std::string> text = PageText(Engine().wkeGetHostHWND(view));
  for (const char* call : {"SetForm_Min()", "SetForm_Max()", "SetForm_Mini()", "WebBrowserRefresh()",
                           "onBuyProductSuccess(", "Loop_TempOrder(", "parent_add_cart(", "Start_Compere("}) {
    EXPECT_TRUE(Contains(text, "] " + std::string(call))) << call;
  }
  EXPECT_EQ(Engine().jsToString(Engine().wkeGlobalExec(view), Engine().wkeRunJSW(view, L"changeBigWindow()")),
            std::string("undefined"));
}

}  // namespace
