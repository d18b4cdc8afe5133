#include "DesktopStandIn.h"

namespace testsupport {

bool RegisterPlainClass(const wchar_t* name) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

DesktopStandIn::DesktopStandIn(bool withView) {
  RegisterPlainClass(L"Progman");
  RegisterPlainClass(L"SHELLDLL_DefView");
  progman.Reset(CreateWindowExW(0, L"Progman", L"Program Manager", WS_POPUP, 100, 80, 600, 400, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr));
  if (withView && progman) {
    view.Reset(CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 0, 0, 600, 400,
                               progman.Get(), nullptr, GetModuleHandleW(nullptr), nullptr));
  }
}

bool DesktopStandIn::IsTheDesktop() const {
  return progman && FindWindowW(L"Progman", L"Program Manager") == progman.Get();
}

}  // namespace testsupport
