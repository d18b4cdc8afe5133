#include "RealInput.h"

namespace testsupport {

void SendMouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

void SendKeys(const std::vector<std::pair<WORD, bool>>& keys) {
  std::vector<INPUT> inputs;
  for (const auto& key : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key.first;
    in.ki.dwFlags = key.second ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  }
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeUnicode(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wScan = c;
    down.ki.dwFlags = KEYEVENTF_UNICODE;
    INPUT up = down;
    up.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(down);
    inputs.push_back(up);
  }
  if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressKey(WORD vk, bool ctrl) {
  std::vector<std::pair<WORD, bool>> keys;
  if (ctrl) keys.push_back({VK_CONTROL, false});
  keys.push_back({vk, false});
  keys.push_back({vk, true});
  if (ctrl) keys.push_back({VK_CONTROL, true});
  SendKeys(keys);
}

void PressAltF4() { SendKeys({{VK_MENU, false}, {VK_F4, false}, {VK_F4, true}, {VK_MENU, true}}); }

bool BringToForeground(HWND window, DWORD timeoutMs) {
  SetForegroundWindow(window);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetForegroundWindow() != window) {
    if (GetTickCount64() >= end) return false;
    Sleep(20);
  }
  return true;
}

void MoveCursorTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  SendMouse(MOUSEEVENTF_MOVE);
}

void PressLeft() {
  // Two presses within the system's double-click time make a double click of the second, as
  // for a person's hand: a separate press waits until that time has passed since the last one.
  static ULONGLONG last = 0;
  const ULONGLONG due = last + GetDoubleClickTime() + 50;
  const ULONGLONG now = GetTickCount64();
  if (last != 0 && now < due) Sleep(static_cast<DWORD>(due - now));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  last = GetTickCount64();
}

void LeftClick() {
  PressLeft();
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void ClickAt(POINT screen) {
  MoveCursorTo(screen);
  const ULONGLONG end = GetTickCount64() + 50;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (GetTickCount64() < end);
  LeftClick();
}

void DragFrom(POINT screen, int dx, int dy) {
  MoveCursorTo(screen);
  Sleep(100);
  PressLeft();
  Sleep(100);
  for (int step = 1; step <= 5; ++step) {
    MoveCursorTo(POINT{screen.x + dx * step / 5, screen.y + dy * step / 5});
    Sleep(60);
  }
  SendMouse(MOUSEEVENTF_LEFTUP);
}

}  // namespace testsupport
