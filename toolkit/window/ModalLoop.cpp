#include "window/ModalLoop.h"

namespace ui {
namespace {
MessageFilterHook g_filterHook = nullptr;
}

void SetMessageFilterHook(MessageFilterHook hook) { g_filterHook = hook; }

UINT RunModalLoop(HWND hwnd) {
  if (hwnd == nullptr || !IsWindow(hwnd)) return 0;
  HWND owner = GetWindow(hwnd, GW_OWNER);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  if (owner != nullptr) EnableWindow(owner, FALSE);

  UINT result = 0;
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg{};
  while (IsWindow(hwnd)) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    if (msg.message == WM_CLOSE && msg.hwnd == hwnd) {
      result = static_cast<UINT>(msg.wParam);
      // The owner must be usable again before the window goes, or the system activates some
      // other program's window in its place.
      if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetFocus(owner);
      }
    }
    if (g_filterHook != nullptr && g_filterHook(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (owner != nullptr) {
    EnableWindow(owner, TRUE);
    SetFocus(owner);
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

}  // namespace ui
