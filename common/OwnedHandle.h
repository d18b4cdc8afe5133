#pragma once
// The owning handle wrappers of both programs: one template, a traits type per kind of handle
// saying which value means "none" and how the handle is freed. Each wrapper frees its handle
// exactly once, on every path; none can be copied, all can be moved. Header-only, so a program
// links only the system functions of the kinds it uses.
#include <windows.h>
#include <unknwn.h>

#include <utility>

template <typename H, typename Traits>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(H handle) : handle_(handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, H{}));
    return *this;
  }

  H Get() const { return handle_; }
  bool Valid() const { return Traits::IsValid(handle_); }
  explicit operator bool() const { return Valid(); }
  void Reset(H handle = H{}) {
    if (Valid()) Traits::Free(handle_);
    handle_ = handle;
  }
  // Gives up ownership (the system took the handle over, as SetWindowRgn does).
  H Release() { return std::exchange(handle_, H{}); }

 private:
  H handle_{};
};

// Handles for which null is the only "none".
template <typename H>
struct NullIsNone {
  static bool IsValid(H h) { return h != H{}; }
};

// Kernel objects: mutexes, threads, processes, files. CreateFileW answers INVALID_HANDLE_VALUE,
// the others null, so both mean "none".
struct KernelHandleTraits {
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Free(HANDLE h) { CloseHandle(h); }
};
struct GdiObjectTraits {
  template <typename H>
  static bool IsValid(H h) {
    return h != nullptr;
  }
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct MemoryDcTraits : NullIsNone<HDC> {
  static void Free(HDC h) { DeleteDC(h); }
};
struct WindowTraits : NullIsNone<HWND> {
  static void Free(HWND h) { DestroyWindow(h); }
};
struct GlobalMemoryTraits : NullIsNone<HGLOBAL> {
  static void Free(HGLOBAL h) { GlobalFree(h); }
};
struct IconTraits : NullIsNone<HICON> {
  static void Free(HICON h) { DestroyIcon(h); }
};
// One reference to a COM object.
struct ComReleaseTraits {
  static bool IsValid(IUnknown* p) { return p != nullptr; }
  static void Free(IUnknown* p) { p->Release(); }
};

using UniqueKernelHandle = OwnedHandle<HANDLE, KernelHandleTraits>;
using UniqueBitmap = OwnedHandle<HBITMAP, GdiObjectTraits>;
using UniqueRegion = OwnedHandle<HRGN, GdiObjectTraits>;
using UniqueFont = OwnedHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = OwnedHandle<HBRUSH, GdiObjectTraits>;
using UniqueMemoryDc = OwnedHandle<HDC, MemoryDcTraits>;
using UniqueWindow = OwnedHandle<HWND, WindowTraits>;
using UniqueIcon = OwnedHandle<HICON, IconTraits>;
// Movable memory for the clipboard; released to the system once SetClipboardData took it.
using UniqueGlobal = OwnedHandle<HGLOBAL, GlobalMemoryTraits>;
template <typename T>
using ComRef = OwnedHandle<T*, ComReleaseTraits>;
