// The library's exported operations. Their declarations come from the one list of operations
// the client resolves (WKE_API_LIST), so a definition that differs from it does not compile,
// and the build checks that exactly these names are exported.
//
// No exception leaves an operation: the callers are C code paths of another module.
#include <windows.h>

#include <array>
#include <initializer_list>
#include <string>

#include "Engine.h"
#include "ScriptValue.h"
#include "Text.h"
#include "WebEngineApi.h"

#define ORV_DECLARE_EXPORT(name, ret, params) extern "C" __declspec(dllexport) ret __cdecl name params;
WKE_API_LIST(ORV_DECLARE_EXPORT)
#undef ORV_DECLARE_EXPORT

using namespace devengine;

namespace {

// Texts handed out by jsToString / jsToTempStringW stay valid for the next few conversions;
// callers copy them at once.
template <typename S>
const typename S::value_type* Keep(S text) {
  static std::array<S, 16> ring;
  static size_t next = 0;
  S& slot = ring[next++ % ring.size()];
  slot = std::move(text);
  return slot.c_str();
}

// Numbers of an event record, separated by blanks.
std::string Numbers(std::initializer_list<long long> values) {
  std::string out;
  for (long long value : values) {
    if (!out.empty()) out += ' ';
    out += std::to_string(value);
  }
  return out;
}

template <typename F>
void Guard(F&& body) {
  try {
    body();
  } catch (...) {
  }
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    GetEngine().module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" {

void __cdecl wkeInitializeEx(const void*) {
  Guard([] { RegisterViewClass(); });
}

void __cdecl wkeFinalize() {
  Guard([] {
    Engine& engine = GetEngine();
    for (auto& view : engine.views) {
      if (!view->hwnd) continue;
      if (GetWindowThreadProcessId(view->hwnd, nullptr) == GetCurrentThreadId()) {
        DestroyWindow(view->hwnd);
      } else {
        // A window of another thread cannot be destroyed from here: detach it from the view.
        SetWindowLongPtrW(view->hwnd, GWLP_USERDATA, 0);
      }
    }
    engine.views.clear();
    engine.bindings.clear();
    for (GdiObject& font : engine.fonts) font.Reset();
  });
}

wkeWebView __cdecl wkeCreateWebWindow(wkeWindowType type, HWND parent, int x, int y, int width, int height) {
  wkeWebView result = nullptr;
  Guard([&] {
    auto view = std::make_unique<View>();
    view->global.view = view.get();
    HWND hwnd = CreateViewWindow(view.get(), type, parent, x, y, width, height);
    if (!hwnd) return;
    view->hwnd = hwnd;
    result = reinterpret_cast<wkeWebView>(view.get());
    GetEngine().views.push_back(std::move(view));
  });
  return result;
}

HWND __cdecl wkeGetHostHWND(wkeWebView handle) {
  View* view = FindView(handle);
  return view ? view->hwnd : nullptr;
}

void __cdecl wkeShowWindow(wkeWebView handle, bool show) {
  View* view = FindView(handle);
  if (view && view->hwnd) ShowWindow(view->hwnd, show ? SW_SHOW : SW_HIDE);
}

void __cdecl wkeResize(wkeWebView handle, int width, int height) {
  View* view = FindView(handle);
  if (view && view->hwnd)
    SetWindowPos(view->hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void __cdecl wkeSetTouchEnabled(wkeWebView handle, bool enable) {
  if (View* view = FindView(handle)) view->touchEnabled = enable;
}

void __cdecl wkeOnDocumentReady(wkeWebView handle, wkeDocumentReadyCallback callback, void* param) {
  if (View* view = FindView(handle)) {
    view->readyCallback = callback;
    view->readyParam = callback ? param : nullptr;
  }
}

void __cdecl wkeLoadURL(wkeWebView handle, const char* utf8Url) {
  Guard([&] {
    if (View* view = FindView(handle)) StartLoad(view, utf8Url ? utf8Url : "");
  });
}

void __cdecl wkeReload(wkeWebView handle) {
  Guard([&] {
    View* view = FindView(handle);
    if (view && view->state != LoadState::Empty) StartLoad(view, std::string(view->url));
  });
}

jsValue __cdecl wkeRunJSW(wkeWebView handle, const wchar_t* script) {
  jsValue result = MakeUndefined();
  Guard([&] {
    if (View* view = FindView(handle)) result = RunScript(view, WideToUtf8(script ? script : L""));
  });
  return result;
}

jsExecState __cdecl wkeGlobalExec(wkeWebView handle) {
  View* view = FindView(handle);
  return view ? reinterpret_cast<jsExecState>(&view->global) : nullptr;
}

const wchar_t* __cdecl jsToTempStringW(jsExecState, jsValue value) {
  const wchar_t* result = L"";
  Guard([&] { result = Keep(Utf8ToWide(ToText(value))); });
  return result;
}

void __cdecl wkeSetDebugConfig(wkeWebView handle, const char* name, const char* utf8Value) {
  Guard([&] {
    if (View* view = FindView(handle))
      view->debugRequests.emplace_back(name ? name : "", utf8Value ? utf8Value : "");
  });
}

void __cdecl wkeFocus(wkeWebView handle) {
  if (View* view = FindView(handle)) view->focused = true;
}

void __cdecl wkeUnfocus(wkeWebView handle) {
  if (View* view = FindView(handle)) view->focused = false;
}

bool __cdecl wkeKeyDown(wkeWebView handle, unsigned int keyCode, unsigned int flags, bool) {
  View* view = FindView(handle);
  if (!view) return false;
  ++view->keyEvents;
  Guard([&] { view->lastKey = "down " + Numbers({keyCode, flags}); });
  return true;
}

bool __cdecl wkeKeyUp(wkeWebView handle, unsigned int keyCode, unsigned int flags, bool) {
  View* view = FindView(handle);
  if (!view) return false;
  ++view->keyEvents;
  Guard([&] { view->lastKey = "up " + Numbers({keyCode, flags}); });
  return true;
}

bool __cdecl wkeKeyPress(wkeWebView handle, unsigned int charCode, unsigned int flags, bool) {
  View* view = FindView(handle);
  if (!view) return false;
  ++view->keyEvents;
  Guard([&] { view->lastKey = "press " + Numbers({charCode, flags}); });
  return true;
}

bool __cdecl wkeMouseEvent(wkeWebView handle, unsigned int message, int x, int y, unsigned int flags) {
  View* view = FindView(handle);
  if (!view) return false;
  ++view->mouseEvents;
  Guard([&] { view->lastMouse = Numbers({message, x, y, flags}); });
  return true;
}

bool __cdecl wkeContextMenuEvent(wkeWebView handle, int x, int y, unsigned int flags) {
  View* view = FindView(handle);
  if (!view) return false;
  ++view->contextMenuEvents;
  Guard([&] { view->lastContextMenu = Numbers({x, y, flags}); });
  return true;
}

bool __cdecl wkeMouseWheel(wkeWebView handle, int x, int y, int delta, unsigned int flags) {
  View* view = FindView(handle);
  if (!view) return false;
  ++view->wheelEvents;
  Guard([&] { view->lastWheel = Numbers({x, y, delta, flags}); });
  Guard([&] { ScrollBy(view, -delta * 40 / WHEEL_DELTA); });
  return true;
}

void __cdecl jsBindFunction(const char* name, jsNativeFunction function, unsigned int argCount) {
  Guard([&] { BindFunction(name ? name : "", function, argCount); });
}

jsValue __cdecl jsArg(jsExecState state, int index) {
  if (!IsLiveState(state) || index < 0) return MakeUndefined();
  const auto* exec = reinterpret_cast<const ExecState*>(state);
  return static_cast<size_t>(index) < exec->args.size() ? exec->args[static_cast<size_t>(index)]
                                                        : MakeUndefined();
}

int __cdecl jsToInt(jsExecState, jsValue value) { return ToInt32(value); }

const char* __cdecl jsToString(jsExecState, jsValue value) {
  const char* result = "";
  Guard([&] { result = Keep(ToText(value)); });
  return result;
}

jsValue __cdecl jsUndefined() { return MakeUndefined(); }

}  // extern "C"
