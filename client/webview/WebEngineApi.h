#pragma once
// The interface of the outside web engine "node.dll": plain cdecl functions with C linkage,
// names beginning with wke (views) and js (script values). The client calls only these.
#include <windows.h>

#include <cstdint>

// clang-format off
extern "C" {

struct wkeWebViewOpaque;
typedef wkeWebViewOpaque* wkeWebView;
struct jsExecStateOpaque;
typedef jsExecStateOpaque* jsExecState;
typedef int64_t jsValue;

enum wkeWindowType { WKE_WINDOW_TYPE_POPUP = 0, WKE_WINDOW_TYPE_TRANSPARENT = 1, WKE_WINDOW_TYPE_CONTROL = 2 };

// Key and mouse flags.
enum { WKE_LBUTTON = 1, WKE_RBUTTON = 2, WKE_SHIFT = 4, WKE_CONTROL = 8, WKE_MBUTTON = 16 };
enum { WKE_EXTENDED = 0x100, WKE_REPEAT = 0x4000 };

typedef void(__cdecl* wkeDocumentReadyCallback)(wkeWebView view, void* param);
typedef jsValue(__cdecl* jsNativeFunction)(jsExecState state);

}  // extern "C"

// X(name, return type, parameter list): every operation the client uses, in one list, so that
// the loader's table and the development engine's exports cannot drift apart.
#define WKE_API_LIST(X)                                                                             \
  X(wkeInitializeEx, void, (const void* settings))                                                  \
  X(wkeFinalize, void, ())                                                                          \
  X(wkeCreateWebWindow, wkeWebView, (wkeWindowType type, HWND parent, int x, int y, int width,      \
                                     int height))                                                   \
  X(wkeGetHostHWND, HWND, (wkeWebView view))                                                        \
  X(wkeShowWindow, void, (wkeWebView view, bool show))                                              \
  X(wkeResize, void, (wkeWebView view, int width, int height))                                      \
  X(wkeSetTouchEnabled, void, (wkeWebView view, bool enable))                                       \
  X(wkeOnDocumentReady, void, (wkeWebView view, wkeDocumentReadyCallback callback, void* param))    \
  X(wkeLoadURL, void, (wkeWebView view, const char* utf8Url))                                       \
  X(wkeReload, void, (wkeWebView view))                                                             \
  X(wkeRunJSW, jsValue, (wkeWebView view, const wchar_t* script))                                   \
  X(wkeGlobalExec, jsExecState, (wkeWebView view))                                                  \
  X(jsToTempStringW, const wchar_t*, (jsExecState state, jsValue value))                            \
  X(wkeSetDebugConfig, void, (wkeWebView view, const char* name, const char* utf8Value))            \
  X(wkeFocus, void, (wkeWebView view))                                                              \
  X(wkeUnfocus, void, (wkeWebView view))                                                            \
  X(wkeKeyDown, bool, (wkeWebView view, unsigned int keyCode, unsigned int flags, bool systemKey))  \
  X(wkeKeyUp, bool, (wkeWebView view, unsigned int keyCode, unsigned int flags, bool systemKey))    \
  X(wkeKeyPress, bool, (wkeWebView view, unsigned int charCode, unsigned int flags, bool systemKey)) \
  X(wkeMouseEvent, bool, (wkeWebView view, unsigned int message, int x, int y, unsigned int flags)) \
  X(wkeContextMenuEvent, bool, (wkeWebView view, int x, int y, unsigned int flags))                 \
  X(wkeMouseWheel, bool, (wkeWebView view, int x, int y, int delta, unsigned int flags))            \
  X(jsBindFunction, void, (const char* name, jsNativeFunction function, unsigned int argCount))     \
  X(jsArg, jsValue, (jsExecState state, int index))                                                 \
  X(jsToInt, int, (jsExecState state, jsValue value))                                               \
  X(jsToString, const char*, (jsExecState state, jsValue value))                                    \
  X(jsUndefined, jsValue, ())
// clang-format on
