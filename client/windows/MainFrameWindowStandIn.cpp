// Stand-in until the shop window exists: a plain window with the main frame's class and title,
// so that a second client finds it, running until it is closed.
#include <windows.h>

#include "ClientMessages.h"
#include "MainFrameWindow.h"

namespace {

const wchar_t kClassName[] = L"MainFrame";

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MF_MORE_PRODUCT:
      ShowWindow(window, SW_SHOWNORMAL);
      SetForegroundWindow(window);
      return 0;
    case WM_DESTROY: {
      bool* closed = reinterpret_cast<bool*>(GetWindowLongPtrW(window, GWLP_USERDATA));
      if (closed) *closed = true;
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

void RunMainFrameWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &StandInProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // a class already registered is reused

  HWND window =
      CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Tamvik-客户端", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!window) return;
  bool closed = false;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&closed));
  ShowWindow(window, SW_SHOWNORMAL);
  MSG msg;
  while (!closed && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
