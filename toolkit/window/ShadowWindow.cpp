#include "window/ShadowWindow.h"

#include <cmath>

#include "HandleScopes.h"
#include "render/DibSurface.h"

namespace ui {
namespace {

constexpr wchar_t kShadowClass[] = L"OrvShadowWnd";
// Darkest alpha, right at the window's edge.
constexpr double kEdgeAlpha = 72.0;

bool RegisterShadowClass() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, kShadowClass, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kShadowClass;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

std::vector<uint32_t> MakeShadowPixels(int windowWidth, int windowHeight, int size) {
  const int width = windowWidth + 2 * size;
  const int height = windowHeight + 2 * size;
  std::vector<uint32_t> pixels;
  if (width <= 0 || height <= 0) return pixels;
  pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  if (size <= 0) return pixels;
  for (int y = 0; y < height; ++y) {
    // Distance outside the window rectangle along each axis (0 inside its span).
    const int dy = y < size ? size - y : (y >= size + windowHeight ? y - (size + windowHeight) + 1 : 0);
    for (int x = 0; x < width; ++x) {
      const int dx = x < size ? size - x : (x >= size + windowWidth ? x - (size + windowWidth) + 1 : 0);
      if (dx == 0 && dy == 0) continue;
      const double distance = std::sqrt(static_cast<double>(dx * dx + dy * dy));
      if (distance > size) continue;
      const double fall = 1.0 - (distance - 0.5) / size;
      const int alpha = static_cast<int>(kEdgeAlpha * fall * fall + 0.5);
      if (alpha <= 0) continue;
      // Black with alpha: premultiplied colour channels stay 0.
      pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          static_cast<uint32_t>(alpha > 255 ? 255 : alpha) << 24;
    }
  }
  return pixels;
}

bool CShadowUI::Create(HWND owner) {
  if (shadow_) return true;
  if (owner == nullptr || !RegisterShadowClass()) return false;
  owner_ = owner;
  // Transparent to the mouse and never activated: presses fall through to what lies below.
  HWND hwnd =
      CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kShadowClass,
                      L"", WS_POPUP, 0, 0, 0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (hwnd == nullptr) return false;
  shadow_.Reset(hwnd);
  if (IsWindowVisible(owner)) Update();
  return true;
}

void CShadowUI::Update() {
  if (!shadow_ || owner_ == nullptr) return;
  if (!IsWindowVisible(owner_) || IsIconic(owner_) || IsZoomed(owner_)) {
    ShowWindow(shadow_.Get(), SW_HIDE);
    return;
  }
  RECT window{};
  GetWindowRect(owner_, &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  const int fullW = w + 2 * size_;
  const int fullH = h + 2 * size_;
  POINT position{window.left - size_, window.top - size_};
  SIZE extent{fullW, fullH};
  if (w != paintedWidth_ || h != paintedHeight_) {
    DibSurface surface;
    if (!surface.Resize(fullW, fullH)) return;
    std::vector<uint32_t> pixels = MakeShadowPixels(w, h, size_);
    std::copy(pixels.begin(), pixels.end(), surface.Pixels());
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    WindowDc screen(nullptr);
    UpdateLayeredWindow(shadow_.Get(), screen.Get(), &position, &extent, surface.Dc(), &origin, 0, &blend,
                        ULW_ALPHA);
    paintedWidth_ = w;
    paintedHeight_ = h;
  }
  // Just below the owner, so the window covers the shadow's middle.
  SetWindowPos(shadow_.Get(), owner_, position.x, position.y, fullW, fullH, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CShadowUI::OnOwnerMessage(UINT msg, WPARAM wParam, LPARAM) {
  if (!shadow_) return;
  switch (msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
      Update();
      break;
    case WM_SHOWWINDOW:
      if (wParam == FALSE) {
        ShowWindow(shadow_.Get(), SW_HIDE);
      } else {
        Update();
      }
      break;
    default:
      break;
  }
}

}  // namespace ui
