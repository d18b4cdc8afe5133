#pragma once
// The tool strip in its own process (TipStripHost), in a scratch program folder with the
// development engine and a settings file that points the three service pages at a local server.
// The test drives it as a user would (real input) and looks at its real windows.
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace striptest {

struct Pages {
  std::string call;
  std::string message;
  std::string karaoke;
};

class StripHost {
 public:
  StripHost() = default;
  ~StripHost();
  StripHost(const StripHost&) = delete;
  StripHost& operator=(const StripHost&) = delete;

  // Copies the host, the engine and StartRecorder into the folder, writes the settings and
  // starts the strip at the place with the tools ("open|type|name|path"). True once the strip's
  // window is there (visible, or hidden with no size when it has no buttons).
  bool Start(int place, const std::vector<std::wstring>& tools, const Pages& pages);
  const std::wstring& Folder() const { return dir_.Path(); }
  HWND Strip() const { return strip_; }
  // A top-level window of the host with the class, visible or not; null when there is none.
  HWND Window(const wchar_t* windowClass) const;
  // Waits (bounded) for a visible window of the class.
  HWND WaitVisible(const wchar_t* windowClass, DWORD timeoutMs = 10000) const;
  // The engine view window inside a window of the host.
  HWND ViewOf(HWND window) const;

 private:
  testsupport::TempDir dir_;
  PROCESS_INFORMATION process_{};
  HWND strip_ = nullptr;
};

// A real left click at a point of a window's client area, and Alt+F4 to a window.
void Click(HWND window, POINT client);
void MoveMouseTo(HWND window, POINT client);
void AltF4(HWND window);
// Returns once the window's thread has finished what it was handling and answered two sent
// messages. Messages posted to it may still wait: a thread takes sent messages first, and a
// slow thread may take the second before them too.
void SyncWith(HWND window);
// A click as Click gives, returning once the window's thread has handled it: it took the press
// (the toolkit captures the mouse), the release, and what the click set off.
bool ClickHandled(HWND window, POINT client);
// Polls (no message pump needed: the windows belong to the host) until pred() or the time is up.
template <typename Pred>
bool Poll(Pred pred, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (pred()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
}

// The client rectangle of the n-th button (0-based) of a strip, from the tile layout's rules:
// 70 x 90 cells from the layout's top left, in one column or across.
POINT ButtonCentre(int index, bool across);

}  // namespace striptest
