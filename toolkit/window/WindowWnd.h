#pragma once
// The native window under every toolkit window: one registered class per window class name,
// one static window procedure that binds the object at WM_NCCREATE and hands every message to
// the virtual OnMessage, with no exception ever leaving it.
#include <windows.h>

namespace ui {

class CWindowWnd {
 public:
  CWindowWnd() = default;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  // The virtual operations, in the order derived windows rely on.
  virtual void Close(UINT code = IDOK);
  virtual LPCWSTR WindowClassName() const = 0;
  virtual LPCWSTR SuperClassName() const;
  virtual UINT ClassStyle() const;
  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual void OnWindowDestroyed(HWND hwnd);
  virtual ~CWindowWnd();

  HWND GetHWND() const { return hwnd_; }
  operator HWND() const { return hwnd_; }

  // Registers the class (reused when registered already) and creates the window; null when
  // either fails.
  HWND Create(HWND parent, LPCWSTR title, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int width = CW_USEDEFAULT, int height = CW_USEDEFAULT);
  void Center();
  void Show(bool show = true, bool takeFocus = true);
  // Shows the window and runs a message loop until it is gone; the code of the WM_CLOSE that
  // reached it (0 when none did, as after a system close, which sends WM_CLOSE past the loop).
  UINT ShowModal();

  LRESULT SendMessageToSelf(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  bool PostMessageToSelf(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Calls OnMessage; anything thrown ends as the default answer and one log line.
  LRESULT RouteMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  bool RegisterWindowClass();

 protected:
  HWND hwnd_ = nullptr;
};

// Where a window of the given size starts on one axis so that it is centred on the reference
// span and then kept inside the work area span [areaStart, areaEnd).
int CenterAxis(int refStart, int refEnd, int size, int areaStart, int areaEnd);

}  // namespace ui
