#pragma once
// Shared by the web view tests: the development engine loaded as the client loads it, toolkit
// windows holding the web view controls, windows that record the messages the bridge and the
// controls send, and control-channel requests made from a harness thread.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "WebEngine.h"
#include "window/WindowImplBase.h"

namespace webtest {

// Starts the toolkit with this program's skin and loads "node.dll" from the dist folder with
// LoadWebEngine (once per process). False when either failed.
bool StartToolkitAndEngine();

// A toolkit window built from a layout file of the skin; its factory makes the four web view
// controls, or with `recordEvents` an EventRecorder in place of each.
class HostWindow : public ui::WindowImplBase {
 public:
  explicit HostWindow(std::wstring skinFile, bool recordEvents = false)
      : skinFile_(std::move(skinFile)), recordEvents_(recordEvents) {}
  LPCWSTR WindowClassName() const override { return L"OrvWebViewTestHost"; }
  LPCWSTR SkinFile() override { return skinFile_.c_str(); }
  ui::CControlUI* CreateCustomControl(const wchar_t* elementName) override;

  // Created visible at a fixed place and size.
  HWND Open(int width = 640, int height = 400);
  ui::CControlUI* Find(const wchar_t* name) { return GetPaintManager().FindControl(name); }

 private:
  std::wstring skinFile_;
  bool recordEvents_;
};

// What a receiving window saw of one message.
struct Received {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::string text;         // for the script sub-codes that carry text: read during the handling
  bool duringCall = false;  // handled while a control-channel call was under way (sent, not posted)
};

// A plain top-level window that records every message at or above WM_USER and WM_SYSCOMMAND,
// and answers them with 0 (so a system command changes nothing).
class MessageSink {
 public:
  MessageSink();
  ~MessageSink();
  MessageSink(const MessageSink&) = delete;
  MessageSink& operator=(const MessageSink&) = delete;
  HWND Handle() const { return hwnd_; }
  std::vector<Received> received;

 private:
  HWND hwnd_ = nullptr;
};

// Runs a step on another thread (as a tool in another process would) while this thread pumps
// its messages, so that the views can answer. Bounded to 15 s.
void FromHarness(const std::function<void()>& step);

// Calls a bound function through a view's control channel, as the page would; true when the
// function was called, *result is its return value as text. While the call runs, messages the
// function sends are marked duringCall.
bool CallAsPage(HWND viewWindow, const std::string& callText, std::string* result);
std::map<std::string, std::string> ViewStatus(HWND viewWindow);
// Waits (pumping) until the view's status has key=value.
bool WaitForStatus(HWND viewWindow, const std::string& key, const std::string& value,
                   DWORD timeoutMs = 10000);
// Dispatches every message already queued for this thread.
void DrainMessages();

// A fixture page as a file:// address.
std::string FixtureUrl(const char* relative);

}  // namespace webtest
