#pragma once
// Small owning wrappers for the native handles the toolkit opens.
#include <windows.h>
#include <unknwn.h>

namespace ui {

// A kernel file handle (CreateFileW), closed on destruction.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() {
    if (valid()) CloseHandle(h_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// One reference to a COM object, released on destruction.
template <typename T>
class ComRef {
 public:
  explicit ComRef(T* p = nullptr) : p_(p) {}
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* get() const { return p_; }

 private:
  T* p_;
};

}  // namespace ui
