#pragma once
// A 32-bit top-down DIB section selected into its own memory DC: the back buffer of a window
// (painted, then copied to the screen in one blit) and the pixels of layered windows, whose
// alpha channel UpdateLayeredWindow reads as premultiplied.
#include <windows.h>

#include <cstdint>

#include "OwnedHandle.h"

namespace ui {

class DibSurface {
 public:
  DibSurface() = default;
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  // Keeps the current bitmap when the size is unchanged. False when the size is empty or the
  // bitmap cannot be made.
  bool Resize(int width, int height);
  // Every pixel to 0 (transparent black).
  void Clear();

  HDC Dc() const { return dc_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t* Pixels() const { return pixels_; }
  bool IsValid() const { return pixels_ != nullptr; }

 private:
  void Free();

  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace ui
