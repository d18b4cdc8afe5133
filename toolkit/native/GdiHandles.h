#pragma once
// Owning wrappers of the native GDI and USER handles the toolkit creates. Each one frees its
// handle exactly once; none can be copied, all can be moved.
#include <windows.h>
#include <imm.h>

#include <utility>

namespace ui {

template <typename H, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, H{}));
    return *this;
  }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != H{}; }
  void Reset(H handle = H{}) {
    if (handle_ != H{}) Traits::Free(handle_);
    handle_ = handle;
  }
  // Gives up ownership (the system took the handle over, as SetWindowRgn does).
  H Release() { return std::exchange(handle_, H{}); }

 private:
  H handle_{};
};

struct GdiObjectTraits {
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  static void Free(HDC h) { DeleteDC(h); }
};
struct WindowTraits {
  static void Free(HWND h) { DestroyWindow(h); }
};
struct GlobalMemoryTraits {
  static void Free(HGLOBAL h) { GlobalFree(h); }
};
struct IconTraits {
  static void Free(HICON h) { DestroyIcon(h); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
// Movable memory for the clipboard; released to the system once SetClipboardData took it.
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalMemoryTraits>;

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
  explicit ImeContext(HWND hwnd);
  ~ImeContext();
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

}  // namespace ui
