#pragma once
// Real input for tests: mouse and keyboard events through SendInput, which reach whatever window
// is under the cursor or has the focus, in the order sent, as a person's input would.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

void SendMouse(DWORD flags);
// Virtual keys in order, each with "up" (true) or "down" (false).
void SendKeys(const std::vector<std::pair<WORD, bool>>& keys);
// Characters typed as Unicode keyboard input (KEYEVENTF_UNICODE).
void TypeUnicode(const std::wstring& text);
// A key pressed and released, optionally with Ctrl held.
void PressKey(WORD vk, bool ctrl = false);
void PressAltF4();

// Brings the window to the foreground and waits (bounded, without pumping) until it is there.
bool BringToForeground(HWND window, DWORD timeoutMs = 2000);
// Puts the cursor on a screen point and reports the move.
void MoveCursorTo(POINT screen);
// Left button down where the cursor is; never the second half of a double click.
void PressLeft();
// Left button down and up where the cursor is.
void LeftClick();
// Moves the cursor to a screen point, lets the hover come first as under a real mouse (this
// thread's messages are handled meanwhile) and clicks there.
void ClickAt(POINT screen);
// Presses at a screen point, moves by (dx, dy) in a few steps and releases, pausing between
// the steps as a hand would, so that the system's drag detection and move loop see each one.
void DragFrom(POINT screen, int dx, int dy);

}  // namespace testsupport
