#include "StripHost.h"

#include "RealInput.h"

namespace striptest {
namespace {

struct Search {
  DWORD process;
  const wchar_t* windowClass;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (process == search->process && lstrcmpW(name, search->windowClass) == 0 &&
      (!search->visibleOnly || IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindView(HWND window, LPARAM param) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpW(name, L"OrvDevEngineView") == 0) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

bool WriteSettings(const std::wstring& path, const Pages& pages) {
  std::string text = "[CONFIG]\r\ndebug=1\r\n";
  text += "url1=" + pages.call + "\r\n";
  text += "url2=" + pages.message + "\r\n";
  text += "url3=" + pages.karaoke + "\r\n";
  return testsupport::WriteFileBytes(path, text);
}

}  // namespace

StripHost::~StripHost() {
  if (process_.hProcess != nullptr) {
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

bool StripHost::Start(int place, const std::vector<std::wstring>& tools, const Pages& pages) {
  if (!testsupport::CopyTestBinary(L"TipStripHost.exe", dir_.Path()) ||
      !testsupport::CopyTestBinary(L"StartRecorder.exe", dir_.Path()) ||
      !testsupport::CopyDistFile(L"node.dll", dir_.Path()) ||
      !WriteSettings(dir_.File(L"Setting.ini"), pages))
    return false;
  std::wstring command = L"\"" + dir_.File(L"TipStripHost.exe") + L"\" " + std::to_wstring(place);
  for (const std::wstring& tool : tools) command += L" \"" + tool + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir_.Path().c_str(),
                      &startup, &process_))
    return false;
  // The strip exists once its initialisation has placed it; the timer of its owner follows.
  return Poll(
      [&] {
        strip_ = Window(L"TipDialog");
        return strip_ != nullptr && (IsWindowVisible(strip_) || !IsWindow(strip_) ||
                                     WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0 || [&] {
                                       RECT r{};
                                       GetWindowRect(strip_, &r);
                                       return r.right == r.left;
                                     }());
      },
      15000);
}

HWND StripHost::Window(const wchar_t* windowClass) const {
  Search search{process_.dwProcessId, windowClass, false, nullptr};
  EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND StripHost::WaitVisible(const wchar_t* windowClass, DWORD timeoutMs) const {
  HWND found = nullptr;
  Poll(
      [&] {
        Search search{process_.dwProcessId, windowClass, true, nullptr};
        EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND StripHost::ViewOf(HWND window) const {
  HWND view = nullptr;
  if (window != nullptr) EnumChildWindows(window, &FindView, reinterpret_cast<LPARAM>(&view));
  return view;
}

void MoveMouseTo(HWND window, POINT client) {
  ClientToScreen(window, &client);
  testsupport::MoveCursorTo(client);
}

void Click(HWND window, POINT client) {
  ClientToScreen(window, &client);
  testsupport::ClickAt(client);
}

void SyncWith(HWND window) {
  for (int round = 0; round < 2; ++round) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
  }
}

bool ClickHandled(HWND window, POINT client) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  auto capture = [thread] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
  };
  MoveMouseTo(window, client);
  Sleep(50);  // the hover comes first, as under a real mouse
  testsupport::PressLeft();
  const bool pressed = Poll([&] { return capture() == window; }, 5000);
  testsupport::SendMouse(MOUSEEVENTF_LEFTUP);
  // The toolkit lets the mouse go before it reports the click, and reports it at once.
  const bool released = pressed && Poll([&] { return capture() == nullptr; }, 5000);
  SyncWith(window);
  return released;
}

void AltF4(HWND window) {
  testsupport::BringToForeground(window);
  testsupport::PressAltF4();
}

POINT ButtonCentre(int index, bool across) {
  // The strip's background frame leaves the tile layout's padding (10) around the buttons.
  return across ? POINT{10 + index * 70 + 35, 45} : POINT{10 + 35, 10 + index * 90 + 45};
}

}  // namespace striptest
