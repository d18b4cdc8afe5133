#include "window/WindowWnd.h"

#include "window/ModalLoop.h"

namespace ui {

CWindowWnd::~CWindowWnd() {
  // A window object that dies before its native window must never be called again.
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

void CWindowWnd::Close(UINT code) {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) PostMessageW(hwnd_, WM_CLOSE, code, 0);
}

LPCWSTR CWindowWnd::SuperClassName() const { return nullptr; }

UINT CWindowWnd::ClassStyle() const { return CS_DBLCLKS; }

LRESULT CWindowWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

void CWindowWnd::OnWindowDestroyed(HWND) {}

bool CWindowWnd::RegisterWindowClass() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(instance, WindowClassName(), &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = ClassStyle();
  wc.lpfnWndProc = &CWindowWnd::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = WindowClassName();
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND parent, LPCWSTR title, DWORD style, DWORD exStyle, int x, int y, int width,
                        int height) {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) return hwnd_;
  if (WindowClassName() == nullptr || !RegisterWindowClass()) return nullptr;
  HWND hwnd = CreateWindowExW(exStyle, WindowClassName(), title, style, x, y, width, height, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
  if (hwnd == nullptr) hwnd_ = nullptr;
  return hwnd;
}

int CenterAxis(int refStart, int refEnd, int size, int areaStart, int areaEnd) {
  int start = (refStart + refEnd) / 2 - size / 2;
  if (start < areaStart) {
    start = areaStart;
  } else if (start + size > areaEnd) {
    start = areaEnd - size;
  }
  return start;
}

void CWindowWnd::Center() {
  if (hwnd_ == nullptr || !IsWindow(hwnd_)) return;
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;

  HWND owner = GetWindow(hwnd_, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT area = monitor.rcWork;
  RECT reference = area;
  if (owner != nullptr) GetWindowRect(owner, &reference);

  const int x = CenterAxis(reference.left, reference.right, width, area.left, area.right);
  const int y = CenterAxis(reference.top, reference.bottom, height, area.top, area.bottom);
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::Show(bool show, bool takeFocus) {
  if (hwnd_ == nullptr || !IsWindow(hwnd_)) return;
  ShowWindow(hwnd_, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() { return RunModalLoop(hwnd_); }

LRESULT CWindowWnd::SendMessageToSelf(UINT msg, WPARAM wParam, LPARAM lParam) {
  return hwnd_ != nullptr ? SendMessageW(hwnd_, msg, wParam, lParam) : 0;
}

bool CWindowWnd::PostMessageToSelf(UINT msg, WPARAM wParam, LPARAM lParam) {
  return hwnd_ != nullptr && PostMessageW(hwnd_, msg, wParam, lParam) != FALSE;
}

LRESULT CWindowWnd::RouteMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    return OnMessage(msg, wParam, lParam);
  } catch (...) {
    // Windows cannot unwind a C++ exception through its own frames (and i686's DWARF unwinder
    // cannot at all): stop it here and let the system answer the message.
    OutputDebugStringW(L"toolkit: a window message handler failed");
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }
}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CWindowWnd* self = nullptr;
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<CWindowWnd*>(create->lpCreateParams);
    if (self != nullptr) {
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);

  if (msg == WM_NCDESTROY) {
    // The window's last message: unbind first, so that nothing reaches the object afterwards.
    LRESULT result = self->RouteMessage(msg, wParam, lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    try {
      self->OnWindowDestroyed(hwnd);
    } catch (...) {
    }
    return result;
  }
  return self->RouteMessage(msg, wParam, lParam);
}

}  // namespace ui
