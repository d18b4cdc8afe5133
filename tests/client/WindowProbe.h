#pragma once
// Finding, reading and closing the top-level windows of a process (message boxes included),
// bounded in time.
#include <windows.h>

#include <string>
#include <vector>

namespace clienttest {

// The message box's class and the id of its text control.
extern const wchar_t kBoxClass[];
const int kBoxTextId = 0xFFFF;

struct SeenWindow {
  std::wstring className;
  std::wstring title;
  std::wstring text;  // a message box's text, empty for other windows
};

// Visible top-level windows of the process, optionally of one class.
std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* className = nullptr);
SeenWindow Describe(HWND window);

// Pumps this thread's messages for a while (windows of this thread keep answering).
void PumpFor(DWORD milliseconds);

// Presses a message box's button (IDOK, IDCANCEL, IDRETRY...) by posting its command.
void PressBoxButton(HWND box, int buttonId);

// Waits for a visible message box of the process, reads it, presses the button and waits
// until the box is gone. False when no box came within the time or it did not go away.
bool HandleNextBox(DWORD processId, int buttonId, DWORD timeoutMs, SeenWindow& seen);

}  // namespace clienttest
