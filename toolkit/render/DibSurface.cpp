#include "render/DibSurface.h"

#include <cstring>

namespace ui {

DibSurface::~DibSurface() { Free(); }

void DibSurface::Free() {
  if (dc_ && previous_) SelectObject(dc_.Get(), previous_);
  previous_ = nullptr;
  bitmap_.Reset();
  dc_.Reset();
  pixels_ = nullptr;
  width_ = height_ = 0;
}

bool DibSurface::Resize(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (pixels_ && width == width_ && height == height_) return true;
  Free();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || !bits) return false;
  previous_ = SelectObject(dc.Get(), bitmap.Get());
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  pixels_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void DibSurface::Clear() {
  if (pixels_) std::memset(pixels_, 0, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
}

}  // namespace ui
