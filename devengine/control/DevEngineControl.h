#pragma once
// Driving a running development engine from another thread or process: find its views and
// send control requests (see DevEngineProtocol.h and devengine/README.md).
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "DevEngineProtocol.h"

namespace devengine {

// The view windows (class "OrvDevEngineView") among the children of every top-level window,
// of one process or (processId 0) of all.
std::vector<HWND> FindViewWindows(DWORD processId = 0);

struct ControlReply {
  bool delivered = false;  // the request was handled by a view within the time limit
  LRESULT result = 0;      // kResultOk or kResultFailed
  std::string payload;     // the reply's UTF-8 text
};
ControlReply SendControlRequest(HWND view, ULONG_PTR command, const std::string& payload,
                                DWORD timeoutMs = 5000);

// Calls a bound function: callText is "Name(arg, ...)" with script literals (see
// ScriptString). True when the function was called; *result is its value as text, or why not.
bool CallViewFunction(HWND view, const std::string& callText, std::string* result, DWORD timeoutMs = 5000);
// The status lines as a map: url, state, title, error, ready, readyCallbacks, scripts, ...
std::map<std::string, std::string> QueryViewStatus(HWND view, DWORD timeoutMs = 5000);
std::vector<std::string> QueryViewScripts(HWND view, DWORD timeoutMs = 5000);
std::vector<std::string> QueryViewText(HWND view, DWORD timeoutMs = 5000);

// A UTF-8 text as a script string literal for a call text: 'it\'s'.
std::string ScriptString(const std::string& utf8);

}  // namespace devengine
