#pragma once
// Owning wrappers of the engine's Win32 handles.
#include <windows.h>
#include <winhttp.h>

namespace devengine {

template <typename H, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : h_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  H Get() const { return h_; }
  explicit operator bool() const { return Traits::Valid(h_); }
  H Release() {
    H h = h_;
    h_ = Traits::Invalid();
    return h;
  }
  void Reset(H h = Traits::Invalid()) {
    if (Traits::Valid(h_)) Traits::Close(h_);
    h_ = h;
  }

 private:
  H h_ = Traits::Invalid();
};

struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;

struct InternetTraits {
  static HINTERNET Invalid() { return nullptr; }
  static bool Valid(HINTERNET h) { return h != nullptr; }
  static void Close(HINTERNET h) { WinHttpCloseHandle(h); }
};
using InternetHandle = UniqueHandle<HINTERNET, InternetTraits>;

struct GdiTraits {
  static HGDIOBJ Invalid() { return nullptr; }
  static bool Valid(HGDIOBJ h) { return h != nullptr; }
  static void Close(HGDIOBJ h) { DeleteObject(h); }
};
using GdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;

// A device context from GetDC, released to its window.
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

}  // namespace devengine
