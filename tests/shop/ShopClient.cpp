#include "ShopClient.h"

#include "RealInput.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "DevEngineControl.h"
#include "SkinWindow.h"
#include "TestSupport.h"
#include "TextConvert.h"
#include "WindowPlacement.h"

using namespace testsupport;

namespace shoptest {

namespace {

std::string FixturePage(const std::wstring& name) {
  return ReadFileBytes(std::wstring(ORV_TEST_SOURCE_DIR) + L"fixtures/pages/" + name);
}

struct FindArgs {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM param) {
  auto* args = reinterpret_cast<FindArgs*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (pid == args->pid && wcscmp(name, args->className) == 0) {
    args->found = window;
    return FALSE;
  }
  return TRUE;
}

void Mouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

}  // namespace

ShopFolder::ShopFolder() {
  EXPECT_TRUE(web_.Started());
  LocalHttpServer::Route shop;
  shop.body = FixturePage(L"shop.html");
  EXPECT_FALSE(shop.body.empty());
  web_.SetRoute("/shop/", shop);
  EXPECT_TRUE(CopyDistFile(L"node.dll", Dir().Path()));
}

void ShopFolder::SettingsWith(const std::string& configLines, const std::string& tipLines) {
  std::string base = web_.Url("");
  if (!base.empty() && base.back() == '/') base.pop_back();
  Settings("[CONFIG]\r\ndebug=1\r\nrequest=http://127.0.0.1:9/\r\nurl=" + base + "\r\n" + configLines +
           "[TIP]\r\n" + tipLines);
}

void ShopFolder::CacheVenue(const CachedVenue& venue) {
  std::string sql =
      "CREATE TABLE [InfoTable]([id] INTEGER PRIMARY KEY,[name] TEXT,[ip] TEXT,[ips] TEXT,[port] INTEGER,"
      "[token] TEXT,[hidetime] INTEGER,[position] INTEGER,[skin] INTEGET,[mini] INTEGER);"
      "CREATE TABLE [ToolTable]([idx] INTEGER PRIMARY KEY,[name] TEXT,[img] TEXT,[path] TEXT,[type] INTEGER,"
      "[open] INTEGER);";
  sql += "INSERT INTO InfoTable VALUES(" + std::to_string(venue.id) + ",'cafe','','',0,'" + venue.token +
         "',0," + std::to_string(venue.position) + ",0," + (venue.mini ? "1" : "0") + ");";
  for (size_t i = 0; i < venue.tools.size(); ++i) {
    sql += "INSERT INTO ToolTable VALUES(" + std::to_string(i) + ",'" + venue.tools[i].name + "','t.png','',";
    sql += std::to_string(venue.tools[i].type) + ",1);";
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open(WideToUtf8(File(L"User.db")).c_str(), &db));
  char* error = nullptr;
  EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error)) << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

void ShopFolder::ServePage(const std::string& path, const std::wstring& fixtureName) {
  LocalHttpServer::Route page;
  page.body = FixturePage(fixtureName);
  EXPECT_FALSE(page.body.empty()) << WideToUtf8(fixtureName);
  web_.SetRoute(path, page);
}

RunningClient::~RunningClient() {
  if (pid_ != 0) End();
}

bool RunningClient::Start(const ShopFolder& folder, const std::wstring& args) {
  std::wstring exe = folder.File(L"Orvanta.exe");
  std::wstring commandLine = L"\"" + exe + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info_)) {
    return false;
  }
  pid_ = info_.dwProcessId;
  return true;
}

bool RunningClient::WaitEnded(DWORD timeoutMs) {
  if (pid_ == 0) return true;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
  info_ = PROCESS_INFORMATION{};
  pid_ = 0;
  return true;
}

bool RunningClient::AttachToMainFrame(DWORD timeoutMs) {
  if (pid_ != 0) return false;
  HWND frame = nullptr;
  WaitFor(
      [&] {
        frame = FindWindowW(L"MainFrame", L"Tamvik-客户端");
        return frame != nullptr;
      },
      timeoutMs);
  DWORD pid = 0;
  if (frame == nullptr || GetWindowThreadProcessId(frame, &pid) == 0) return false;
  HANDLE process =
      OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return false;
  info_ = PROCESS_INFORMATION{};
  info_.hProcess = process;
  info_.dwProcessId = pid;
  pid_ = pid;
  return true;
}

HWND RunningClient::Window(const wchar_t* className, DWORD timeoutMs) const {
  FindArgs args{pid_, className, nullptr};
  WaitFor(
      [&] {
        EnumWindows(&FindOwnWindow, reinterpret_cast<LPARAM>(&args));
        return args.found != nullptr;
      },
      timeoutMs);
  return args.found;
}

HWND RunningClient::ShopView(DWORD timeoutMs) const {
  HWND frame = Window(L"MainFrame", timeoutMs);
  HWND view = nullptr;
  WaitFor(
      [&] {
        view = frame != nullptr ? FindWindowExW(frame, nullptr, L"OrvDevEngineView", nullptr) : nullptr;
        return view != nullptr && devengine::QueryViewStatus(view)["readyCallbacks"] != "0";
      },
      timeoutMs);
  return view;
}

bool RunningClient::End(DWORD timeoutMs) {
  if (pid_ == 0) return true;
  HWND frame = Window(L"MainFrame", 0);
  if (frame != nullptr) PostMessageW(frame, WM_CLOSE, 0, 0);
  bool ended = WaitFor([&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
  if (!ended) {
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hProcess);
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
  info_ = PROCESS_INFORMATION{};
  pid_ = 0;
  return ended;
}

RECT RectOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT RectAt(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

bool WaitShownAt(HWND window, const RECT& rect, DWORD timeoutMs) {
  return WaitFor(
      [&] {
        RECT now = RectOf(window);
        return Visible(window) && EqualRect(&now, &rect);
      },
      timeoutMs);
}

bool WaitHidden(HWND window, DWORD timeoutMs) {
  return WaitFor([&] { return !Visible(window); }, timeoutMs);
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

RECT WorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

std::vector<std::string> PageScripts(HWND view) { return devengine::QueryViewScripts(view); }

bool CallPage(HWND view, const std::string& call) {
  std::string result;
  return devengine::CallViewFunction(view, call, &result);
}

void MouseTo(POINT at) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  // Absolute coordinates, rounded so that they map back to the same pixel.
  const LONG x = static_cast<LONG>((at.x * 65536 + width - 1) / width);
  const LONG y = static_cast<LONG>((at.y * 65536 + height - 1) / height);
  Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  WaitFor(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == at.x && now.y == at.y;
      },
      2000);
}

void LeftDown() { testsupport::PressLeft(); }
void LeftUp() { Mouse(MOUSEEVENTF_LEFTUP); }

POINT CenterOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

void Drag(HWND window, POINT from, POINT to) {
  MouseTo(from);
  LeftDown();
  // The system's move loop measures from where the mouse is when it starts: the first step waits
  // for it (where the system starts it at the press; elsewhere the wait runs out and the first
  // step starts it).
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  const DWORD threadId = GetWindowThreadProcessId(window, nullptr);
  WaitFor([&] { return GetGUIThreadInfo(threadId, &thread) && (thread.flags & GUI_INMOVESIZE) != 0; }, 5000);
  // Each step once the window has followed the one before, as a hand that watches the screen
  // moves: a slow loop would otherwise find the release queued behind steps not yet taken. The
  // window follows the cursor's travel and stays inside the work area.
  const RECT start = RectOf(window);
  const int width = start.right - start.left, height = start.bottom - start.top;
  const int steps = 12;
  for (int i = 1; i <= steps; ++i) {
    const POINT at{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    MouseTo(at);
    const POINT expected =
        KeepInsideWorkArea(start.left + at.x - from.x, start.top + at.y - from.y, width, height, WorkArea());
    WaitFor(
        [&] {
          const RECT now = RectOf(window);
          return now.left == expected.x && now.top == expected.y;
        },
        5000);
  }
  LeftUp();
}

void Screenshot(HWND window, const std::wstring& name) {
  wintest::SavePng(wintest::GrabScreen(window), name);
}

}  // namespace shoptest
