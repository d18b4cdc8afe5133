#pragma once
// Handles borrowed for one operation and given back when the scope ends: device contexts, a
// selected GDI object, locked global memory, the clipboard and a window's input method context.
// The owning wrappers are in OwnedHandle.h.
#include <windows.h>
#include <imm.h>

// GlobalLock/GlobalUnlock of one block.
template <typename T>
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(static_cast<T*>(GlobalLock(memory))) {}
  ~GlobalLockGuard() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  T* Get() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

// A device context borrowed from a window (GetDC) or from the screen (null window).
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint of one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintDc() { EndPaint(hwnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC Get() const { return dc_; }
  const RECT& Dirty() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectObjectGuard {
 public:
  SelectObjectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectObjectGuard() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectObjectGuard(const SelectObjectGuard&) = delete;
  SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The input method context of a window, for one operation.
class ImeContext {
 public:
  explicit ImeContext(HWND hwnd) : hwnd_(hwnd), context_(ImmGetContext(hwnd)) {}
  ~ImeContext() {
    if (context_ != nullptr) ImmReleaseContext(hwnd_, context_);
  }
  ImeContext(const ImeContext&) = delete;
  ImeContext& operator=(const ImeContext&) = delete;
  HIMC Get() const { return context_; }

 private:
  HWND hwnd_;
  HIMC context_;
};

// The clipboard, opened for one operation.
class ClipboardLock {
 public:
  explicit ClipboardLock(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardLock() {
    if (open_) CloseClipboard();
  }
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};
