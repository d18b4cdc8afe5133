#include "window/WindowRegion.h"

namespace ui {

UniqueRegion MakeWindowRegion(int width, int height, Size roundCorner) {
  if (roundCorner.cx > 0 || roundCorner.cy > 0) {
    return UniqueRegion(CreateRoundRectRgn(0, 0, width + 1, height + 1, roundCorner.cx, roundCorner.cy));
  }
  return UniqueRegion(CreateRectRgn(0, 0, width + 1, height + 1));
}

void ApplyWindowRegion(HWND hwnd, Size roundCorner) {
  if (hwnd == nullptr || IsIconic(hwnd)) return;
  RECT window{};
  GetWindowRect(hwnd, &window);
  UniqueRegion region = MakeWindowRegion(window.right - window.left, window.bottom - window.top, roundCorner);
  if (region && SetWindowRgn(hwnd, region.Get(), TRUE)) {
    region.Release();  // the system owns the region now
  }
}

}  // namespace ui
