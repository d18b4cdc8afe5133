#include "DevEngineControl.h"

namespace devengine {
namespace {

constexpr wchar_t kReplyClass[] = L"OrvDevEngineReply";

struct ReplyBox {
  bool received = false;
  std::string payload;
};

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* box = reinterpret_cast<ReplyBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (box && data && (data->dwData & kReplyBit)) {
      box->received = true;
      box->payload.assign(static_cast<const char*>(data->lpData), data->lpData ? data->cbData : 0);
    }
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A hidden window that receives one reply, destroyed with the request.
class ReplyWindow {
 public:
  explicit ReplyWindow(ReplyBox* box) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ReplyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kReplyClass;
    RegisterClassExW(&wc);
    hwnd_ =
        CreateWindowExW(0, kReplyClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(box));
  }
  ~ReplyWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  ReplyWindow(const ReplyWindow&) = delete;
  ReplyWindow& operator=(const ReplyWindow&) = delete;
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

struct FindContext {
  DWORD processId;
  std::vector<HWND>* views;
};

BOOL CALLBACK ChildProc(HWND hwnd, LPARAM lParam) {
  auto* context = reinterpret_cast<FindContext*>(lParam);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (std::wstring(name) == kViewClassName) context->views->push_back(hwnd);
  return TRUE;
}

BOOL CALLBACK TopProc(HWND hwnd, LPARAM lParam) {
  auto* context = reinterpret_cast<FindContext*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (context->processId && pid != context->processId) return TRUE;
  // The view may itself be a top-level (popup) window.
  ChildProc(hwnd, lParam);
  EnumChildWindows(hwnd, ChildProc, lParam);
  return TRUE;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

std::vector<HWND> FindViewWindows(DWORD processId) {
  std::vector<HWND> views;
  FindContext context{processId, &views};
  EnumWindows(TopProc, reinterpret_cast<LPARAM>(&context));
  return views;
}

ControlReply SendControlRequest(HWND view, ULONG_PTR command, const std::string& payload, DWORD timeoutMs) {
  ControlReply reply;
  ReplyBox box;
  ReplyWindow window(&box);
  COPYDATASTRUCT data = {};
  data.dwData = command;
  data.cbData = static_cast<DWORD>(payload.size());
  data.lpData = const_cast<char*>(payload.data());
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(view, WM_COPYDATA, reinterpret_cast<WPARAM>(window.Get()),
                           reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, timeoutMs, &result))
    return reply;
  reply.delivered =
      result == static_cast<DWORD_PTR>(kResultOk) || result == static_cast<DWORD_PTR>(kResultFailed);
  reply.result = static_cast<LRESULT>(result);
  reply.payload = box.payload;
  return reply;
}

bool CallViewFunction(HWND view, const std::string& callText, std::string* result, DWORD timeoutMs) {
  ControlReply reply = SendControlRequest(view, kCmdCall, callText, timeoutMs);
  if (result) *result = reply.delivered ? reply.payload : "error: the view did not answer";
  return reply.delivered && reply.result == kResultOk;
}

std::map<std::string, std::string> QueryViewStatus(HWND view, DWORD timeoutMs) {
  std::map<std::string, std::string> status;
  ControlReply reply = SendControlRequest(view, kCmdStatus, std::string(), timeoutMs);
  for (const std::string& line : Split(reply.payload, '\n')) {
    size_t eq = line.find('=');
    if (eq != std::string::npos) status[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return status;
}

std::vector<std::string> QueryViewScripts(HWND view, DWORD timeoutMs) {
  return Split(SendControlRequest(view, kCmdScripts, std::string(), timeoutMs).payload, '\0');
}

std::vector<std::string> QueryViewText(HWND view, DWORD timeoutMs) {
  return Split(SendControlRequest(view, kCmdText, std::string(), timeoutMs).payload, '\n');
}

std::string ScriptString(const std::string& utf8) {
  std::string out = "'";
  for (char c : utf8) {
    if (c == '\'' || c == '\\') out.push_back('\\');
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out.push_back(c);
  }
  return out + "'";
}

}  // namespace devengine
