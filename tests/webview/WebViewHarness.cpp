#include "WebViewHarness.h"

#include <atomic>
#include <thread>

#include "ClientMessages.h"
#include "DevEngineControl.h"
#include "TestSupport.h"
#include "WebkitUI.h"
#include "EventRecorder.h"
#include "window/StartToolkit.h"

namespace webtest {
namespace {

std::atomic<bool> g_inCall{false};

bool CarriesText(UINT message, WPARAM wParam) {
  return message == WM_MF_SCRIPT && (wParam == SCRIPT_SEND_MESSAGE || wParam == SCRIPT_LOOP_TEMP_ORDER ||
                                     wParam == SCRIPT_START_COMPERE);
}

LRESULT CALLBACK SinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* sink = reinterpret_cast<MessageSink*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (sink != nullptr && (message >= WM_USER || message == WM_SYSCOMMAND) && message < 0xC000) {
    Received r;
    r.message = message;
    r.wParam = wParam;
    r.lParam = lParam;
    r.duringCall = g_inCall.load();
    if (CarriesText(message, wParam) && lParam != 0) r.text = reinterpret_cast<const char*>(lParam);
    sink->received.push_back(r);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The view's window procedure, wrapped so that a control request marks the time of the call.
WNDPROC g_viewProc = nullptr;
LRESULT CALLBACK ViewProcWrapper(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COPYDATA) return CallWindowProcW(g_viewProc, hwnd, message, wParam, lParam);
  g_inCall = true;
  LRESULT result = CallWindowProcW(g_viewProc, hwnd, message, wParam, lParam);
  g_inCall = false;
  return result;
}

void WrapViewWindow(HWND view) {
  auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(view, GWLP_WNDPROC));
  if (current == &ViewProcWrapper) return;
  g_viewProc = current;
  SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ViewProcWrapper));
}

}  // namespace

bool StartToolkitAndEngine() {
  static const bool started = [] {
    if (!ui::StartToolkit(GetModuleHandleW(nullptr))) return false;
    return LoadWebEngine(std::wstring(ORV_TEST_DIST_DIR) + L"node.dll");
  }();
  return started;
}

ui::CControlUI* HostWindow::CreateCustomControl(const wchar_t* elementName) {
  if (recordEvents_) return _wcsnicmp(elementName, L"WebKit", 6) == 0 ? new EventRecorder : nullptr;
  if (ui::CControlUI* c = WebkitUI::CreateFor(elementName)) return c;
  if (ui::CControlUI* c = WebkitUI1::CreateFor(elementName)) return c;
  if (ui::CControlUI* c = WebkitUI2::CreateFor(elementName)) return c;
  if (ui::CControlUI* c = WebkitUI3::CreateFor(elementName)) return c;
  return nullptr;
}

HWND HostWindow::Open(int width, int height) {
  HWND hwnd = Create(nullptr, L"Orvanta web view test", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 20, 20,
                     width, height);
  if (hwnd != nullptr) {
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    GetPaintManager().EnsureLayout();
  }
  return hwnd;
}

MessageSink::MessageSink() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &SinkProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"OrvWebViewTestSink";
  RegisterClassExW(&wc);  // a class already registered is reused
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"sink", WS_POPUP, 0, 0, 10, 10, nullptr,
                          nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageSink::~MessageSink() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void FromHarness(const std::function<void()>& step) {
  std::atomic<bool> done{false};
  std::thread harness([&] {
    step();
    done = true;
  });
  testsupport::WaitFor([&] { return done.load(); }, 15000);
  harness.join();
}

bool CallAsPage(HWND viewWindow, const std::string& callText, std::string* result) {
  WrapViewWindow(viewWindow);
  bool called = false;
  FromHarness([&] { called = devengine::CallViewFunction(viewWindow, callText, result); });
  return called;
}

std::map<std::string, std::string> ViewStatus(HWND viewWindow) {
  std::map<std::string, std::string> status;
  FromHarness([&] { status = devengine::QueryViewStatus(viewWindow); });
  return status;
}

bool WaitForStatus(HWND viewWindow, const std::string& key, const std::string& value, DWORD timeoutMs) {
  ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (ViewStatus(viewWindow)[key] == value) return true;
    if (GetTickCount64() >= end) return false;
    testsupport::WaitFor([] { return false; }, 50);
  }
}

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

std::string FixtureUrl(const char* relative) {
  std::wstring root = ORV_TEST_SOURCE_DIR;
  std::string url = "file:///";
  for (wchar_t c : root) url.push_back(static_cast<char>(c == L'\\' ? L'/' : c));
  return url + "fixtures/pages/" + relative;
}

}  // namespace webtest
