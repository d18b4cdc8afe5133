#pragma once
// A user on a second thread driving a dialog that the test thread runs modally: it waits for the
// dialog's window, then clicks, types and drags with real input (SendInput).
#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "model/UiTypes.h"

namespace dialogtest {

// The code with which a dialog that the user failed to end is closed, so that no run hangs.
const int kLeftOpen = 99;

class User {
 public:
  // Waits (bounded) for a visible window of the class in this process and hands it to the
  // actions; closes it with kLeftOpen when it is still there a while after them. A window that
  // comes after the wait is closed with kLeftOpen as well, and the test fails with a message
  // when the user is destroyed, instead of hanging in the dialog's modal loop.
  User(const wchar_t* windowClass, std::function<void(HWND)> actions);
  ~User();
  User(const User&) = delete;
  User& operator=(const User&) = delete;
  bool SawWindow() const { return saw_; }

 private:
  std::wstring class_;
  std::thread thread_;
  std::atomic<bool> saw_{false};
  std::atomic<bool> late_{false};
  std::atomic<bool> stop_{false};
};

// Polls until pred() is true or timeoutMs passed (for the user's thread, which has no windows).
bool PollFor(const std::function<bool()>& pred, DWORD timeoutMs);

void ClickAt(HWND window, POINT client);
void Type(HWND window, const std::wstring& text);
void Press(HWND window, WORD vk);
void AltF4(HWND window);
// Presses at a client point, moves by (dx, dy) in steps and releases.
void DragBy(HWND window, POINT from, int dx, int dy);

// Client rectangles of the named controls of a dialog laid out as the real one is: a hidden
// twin of the same class with the same message and mode.
using Rects = std::map<std::wstring, ui::Rect>;
Rects MsgDialogRects(const std::wstring& text, int mode);
Rects LoginDialogRects();
POINT Centre(const ui::Rect& r);

}  // namespace dialogtest
