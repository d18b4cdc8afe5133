// Requests from harnesses in other processes (WM_COPYDATA to the view's window).
#include <windows.h>

#include <cstdio>

#include "DevEngineProtocol.h"
#include "Engine.h"
#include "ScriptValue.h"
#include "Text.h"

namespace devengine {
namespace {

const char* StateName(LoadState state) {
  switch (state) {
    case LoadState::Empty:
      return "empty";
    case LoadState::Loading:
      return "loading";
    case LoadState::Loaded:
      return "loaded";
    case LoadState::Failed:
      return "failed";
  }
  return "";
}

// One line per value: line breaks inside a value would start a new key.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::string Line(const char* key, const std::string& value) {
  return std::string(key) + "=" + OneLine(value) + "\n";
}

std::string Line(const char* key, int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  return Line(key, std::string(buffer));
}

std::string StatusText(const View& view) {
  std::string debug;
  if (!view.debugRequests.empty())
    debug = view.debugRequests.back().first + " " + view.debugRequests.back().second;
  int buttons = 0;
  for (const PageBlock& block : view.page.blocks) buttons += block.kind == PageBlock::Button ? 1 : 0;
  return Line("url", view.url) + Line("state", StateName(view.state)) +
         Line("title", WideToUtf8(view.page.title)) + Line("error", view.error) +
         Line("ready", view.documentsReady) + Line("readyCallbacks", view.readyCallbacks) +
         Line("scripts", static_cast<int>(view.scripts.size())) + Line("calls", view.calls) +
         Line("lastCall", view.lastCall) + Line("buttons", buttons) + Line("debug", debug) +
         Line("touch", view.touchEnabled ? 1 : 0) + Line("focused", view.focused ? 1 : 0) +
         Line("visible", view.hwnd && IsWindowVisible(view.hwnd) ? 1 : 0) +
         Line("keyEvents", view.keyEvents) + Line("mouseEvents", view.mouseEvents) +
         Line("contextMenuEvents", view.contextMenuEvents) + Line("wheelEvents", view.wheelEvents) +
         Line("lastKey", view.lastKey) + Line("lastMouse", view.lastMouse) +
         Line("lastContextMenu", view.lastContextMenu) + Line("lastWheel", view.lastWheel);
}

std::string ScriptsText(const View& view) {
  std::string out;
  for (const std::string& script : view.scripts) {
    out += script;
    out.push_back('\0');
  }
  return out;
}

std::string PageText(const View& view) {
  std::string out;
  if (!view.page.title.empty()) out += OneLine(WideToUtf8(view.page.title)) + "\n";
  for (const PageBlock& block : view.page.blocks) {
    if (block.kind == PageBlock::Button) {
      out += "[" + OneLine(WideToUtf8(block.text)) + "] " + block.function + "(" + OneLine(block.arguments) +
             ")\n";
    } else {
      out += OneLine(WideToUtf8(block.text)) + "\n";
    }
  }
  return out;
}

void Reply(View* view, HWND replyTo, ULONG_PTR code, const std::string& payload) {
  if (!replyTo || !IsWindow(replyTo)) return;
  COPYDATASTRUCT reply = {};
  reply.dwData = code | kReplyBit;
  reply.cbData = static_cast<DWORD>(payload.size());
  reply.lpData = const_cast<char*>(payload.data());
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(view->hwnd),
                      reinterpret_cast<LPARAM>(&reply), SMTO_NORMAL, 5000, &ignored);
}

}  // namespace

LRESULT HandleControlRequest(View* view, HWND replyTo, const COPYDATASTRUCT* data) {
  if (!data) return 0;
  std::string payload;
  if (data->lpData && data->cbData) payload.assign(static_cast<const char*>(data->lpData), data->cbData);
  switch (data->dwData) {
    case kCmdCall: {
      jsValue result = 0;
      std::string error;
      if (!CallFromText(view, payload, &result, &error)) {
        Reply(view, replyTo, data->dwData, "error: " + error);
        return kResultFailed;
      }
      Reply(view, replyTo, data->dwData, ToText(result));
      return kResultOk;
    }
    case kCmdStatus:
      Reply(view, replyTo, data->dwData, StatusText(*view));
      return kResultOk;
    case kCmdScripts:
      Reply(view, replyTo, data->dwData, ScriptsText(*view));
      return kResultOk;
    case kCmdText:
      Reply(view, replyTo, data->dwData, PageText(*view));
      return kResultOk;
    default:
      return kResultFailed;
  }
}

}  // namespace devengine
