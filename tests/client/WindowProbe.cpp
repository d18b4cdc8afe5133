#include "WindowProbe.h"

#include "DialogInput.h"

namespace clienttest {

const wchar_t kBoxClass[] = L"#32770";

namespace {

// How long a pressed box may take to go away.
const ULONGLONG kCloseTimeoutMs = 5000;

struct EnumState {
  DWORD processId;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != state->processId || !IsWindowVisible(window)) return TRUE;
  if (state->className) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (lstrcmpW(name, state->className) != 0) return TRUE;
  }
  state->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* className) {
  EnumState state{processId, className, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

SeenWindow Describe(HWND window) {
  SeenWindow seen;
  wchar_t buffer[1024] = {};
  GetClassNameW(window, buffer, 1024);
  seen.className = buffer;
  buffer[0] = 0;
  GetWindowTextW(window, buffer, 1024);
  seen.title = buffer;
  if (seen.className == kBoxClass) {
    buffer[0] = 0;
    GetDlgItemTextW(window, kBoxTextId, buffer, 1024);
    seen.text = buffer;
  } else if (seen.className == kMsgDialogClass) {
    seen.text = ReadMessage(window);
  }
  return seen;
}

void PumpFor(DWORD milliseconds) {
  ULONGLONG end = GetTickCount64() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  } while (GetTickCount64() < end);
}

void PressBoxButton(HWND box, int buttonId) {
  wchar_t name[64] = {};
  GetClassNameW(box, name, 64);
  if (lstrcmpW(name, kMsgDialogClass) == 0) {
    PressMsgButton(box, buttonId);
  } else {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
  }
}

bool HandleNextBox(DWORD processId, int buttonId, DWORD timeoutMs, SeenWindow& seen) {
  ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    std::vector<HWND> boxes = VisibleWindowsOf(processId, kBoxClass);
    if (!boxes.empty()) {
      HWND box = boxes.front();
      seen = Describe(box);
      PressBoxButton(box, buttonId);
      ULONGLONG closing = GetTickCount64() + kCloseTimeoutMs;
      while (IsWindow(box) && GetTickCount64() < closing) PumpFor(20);
      return !IsWindow(box);
    }
    if (GetTickCount64() >= end) return false;
    PumpFor(20);
  }
}

}  // namespace clienttest
