#pragma once
// The engine's process-wide state and its views. Everything here is used on the thread that
// created the views (the client's user-interface thread); only LoadMailbox is shared with the
// loading threads.
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Fetch.h"
#include "Handles.h"
#include "PageModel.h"
#include "WebEngineApi.h"

namespace devengine {

struct View;

// jsExecState points to one of these: the arguments of a native call, or a view's global
// state (no arguments).
struct ExecState {
  View* view = nullptr;
  std::vector<jsValue> args;
};

struct Binding {
  jsNativeFunction function = nullptr;
  unsigned argCount = 0;
};
using BindingTable = std::map<std::string, Binding>;

// Where a loading thread leaves its result; the view's window is then told by a posted message.
struct LoadMailbox {
  std::mutex mutex;
  std::vector<std::pair<uint64_t, FetchResult>> results;  // (load generation, result)
};

enum class LoadState { Empty, Loading, Loaded, Failed };

struct ShownText {
  RECT rect;  // content coordinates (before scrolling)
  std::wstring text;
  int font;  // 0 body, 1 bold, 2 title
};

struct View {
  HWND hwnd = nullptr;
  ExecState global;
  std::string url;
  uint64_t generation = 0;
  LoadState state = LoadState::Empty;
  std::string error;
  PageModel page;
  std::shared_ptr<LoadMailbox> mailbox = std::make_shared<LoadMailbox>();

  wkeDocumentReadyCallback readyCallback = nullptr;
  void* readyParam = nullptr;
  int documentsReady = 0;
  int readyCallbacks = 0;

  std::vector<std::string> scripts;
  std::vector<std::pair<std::string, std::string>> debugRequests;
  // The functions this view's pages call, taken from the global registry when its first page
  // starts loading (see BindingFor).
  BindingTable pinned;
  bool pinnedTaken = false;
  std::string lastCall;
  int calls = 0;

  bool touchEnabled = false;
  bool focused = false;
  int keyEvents = 0;
  int mouseEvents = 0;
  int contextMenuEvents = 0;
  int wheelEvents = 0;
  // The last forwarded event of each kind with its parameters, as "a b c ..." in call order.
  std::string lastKey;          // "down|up|press code flags"
  std::string lastMouse;        // "message x y flags"
  std::string lastContextMenu;  // "x y flags"
  std::string lastWheel;        // "x y delta flags"

  // What is shown: text runs and one push button per data-call element.
  std::vector<ShownText> texts;
  std::vector<HWND> buttons;  // child windows, index = page block index (null for non-buttons)
  std::vector<RECT> buttonRects;
  int contentHeight = 0;
  int scrollY = 0;
};

// Process-wide engine state.
struct Engine {
  HINSTANCE module = nullptr;
  bool classRegistered = false;
  std::vector<std::unique_ptr<View>> views;
  BindingTable bindings;
  std::vector<const ExecState*> liveStates;
  GdiObject fonts[3];  // body, bold, title
};
Engine& GetEngine();

// The view behind a handle the engine gave out, or null (unknown or finalised).
View* FindView(wkeWebView handle);
bool IsLiveState(jsExecState state);

// Registry: a repeated name replaces the earlier function for pages loaded afterwards.
void BindFunction(const std::string& name, jsNativeFunction function, unsigned argCount);
// The function a page of this view reaches under a name: the view's pinned table first, then
// the global registry (names bound after the view's first load). Null when unknown.
const Binding* BindingFor(const View& view, const std::string& name);
// Calls a bound function with arguments, as page script would. False (with a reason) when
// the name is unknown.
bool CallFunction(View* view, const std::string& name, const std::vector<jsValue>& args, jsValue* result,
                  std::string* error);
// Calls the function named by a button's or a harness's call text "Name(args)".
bool CallFromText(View* view, const std::string& callText, jsValue* result, std::string* error);
jsValue RunScript(View* view, const std::string& script);

// Loading.
void StartLoad(View* view, const std::string& url);
void DeliverLoads(View* view);  // on kLoadDoneMessage

// The view's window.
constexpr UINT kLoadDoneMessage = WM_APP + 0x101;
bool RegisterViewClass();
HWND CreateViewWindow(View* view, wkeWindowType type, HWND parent, int x, int y, int width, int height);
void ShowPage(View* view);    // rebuilds buttons and layout from view->page
void LayoutPage(View* view);  // places the shown items for the current size and scroll
void ScrollBy(View* view, int dy);
LRESULT HandleControlRequest(View* view, HWND replyTo, const COPYDATASTRUCT* data);

}  // namespace devengine
