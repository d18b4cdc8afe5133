#include "window/DesktopOwner.h"

namespace ui {

void SetDesktopOwner(HWND window) {
  HWND progman = FindWindowW(L"Progman", L"Program Manager");
  if (progman == nullptr) return;
  HWND view = FindWindowExW(progman, nullptr, L"SHELLDLL_DefView", nullptr);
  // GWL_HWNDPARENT of a top-level window sets its owner, not its parent.
  SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(view != nullptr ? view : progman));
}

}  // namespace ui
