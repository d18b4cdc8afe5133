#pragma once
// A client run from its own folder with the development engine, a web host for the shop page
// and a cached venue, driven and watched from the test: its windows (found whether shown or
// not), their rectangles, the shop page's view through the engine's control channel, and real
// mouse input.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ClientHarness.h"
#include "LocalHttpServer.h"

namespace shoptest {

struct CachedTool {
  std::string name;
  int type;  // 0 a service of the strip (by its name), 1 a program
};

// A venue in the cache: its profile row and its tool rows (all switched on).
struct CachedVenue {
  int id = 8;
  std::string token = "t";
  int position = 0;
  bool mini = false;
  std::vector<CachedTool> tools = {{"tool0", 1}};
};

class ShopFolder : public clienttest::ClientFolder {
 public:
  ShopFolder();
  // "Setting.ini": the web host as page address, the debug switch and the extra lines.
  void SettingsWith(const std::string& configLines, const std::string& tipLines = "");
  void CacheVenue(const CachedVenue& venue);
  // Serves a page of fixtures/pages at the path (and below it).
  void ServePage(const std::string& path, const std::wstring& fixtureName);
  const LocalHttpServer& WebHost() const { return web_; }

 private:
  LocalHttpServer web_;
};

class RunningClient {
 public:
  RunningClient() = default;
  ~RunningClient();
  RunningClient(const RunningClient&) = delete;
  RunningClient& operator=(const RunningClient&) = delete;

  bool Start(const ShopFolder& folder, const std::wstring& args = L"start");
  // Waits for the started process to end by itself.
  bool WaitEnded(DWORD timeoutMs);
  // Takes over the client that another program started (as the updater does): the process of
  // the main frame that appears; false when none appears in time.
  bool AttachToMainFrame(DWORD timeoutMs);
  DWORD Pid() const { return pid_; }
  // The process's top-level window of the class, shown or hidden; waits for it.
  HWND Window(const wchar_t* className, DWORD timeoutMs = 20000) const;
  // The shop page's view (the engine's window inside the main frame), once its page is ready.
  HWND ShopView(DWORD timeoutMs = 20000) const;
  // Closes the main frame and waits for the process to end; false when it had to be killed.
  bool End(DWORD timeoutMs = 15000);

 private:
  PROCESS_INFORMATION info_{};
  DWORD pid_ = 0;
};

RECT RectOf(HWND window);
RECT RectAt(int x, int y, int width, int height);
bool Visible(HWND window);
// Waits until the window is shown (or hidden) with the rectangle.
bool WaitShownAt(HWND window, const RECT& rect, DWORD timeoutMs = 10000);
bool WaitHidden(HWND window, DWORD timeoutMs = 10000);
std::string Describe(const RECT& rect);
RECT WorkArea();

// The scripts the client ran in the page, in order.
std::vector<std::string> PageScripts(HWND view);
// Calls a shop function as the page does.
bool CallPage(HWND view, const std::string& call);

// Real mouse input, at screen points.
void MouseTo(POINT at);
void LeftDown();
void LeftUp();
POINT CenterOf(const RECT& rect);
// Presses on the window at one point, moves to the other in steps and releases there.
void Drag(HWND window, POINT from, POINT to);

// The window as the screen shows it, saved under the test output folder.
void Screenshot(HWND window, const std::wstring& name);

}  // namespace shoptest
