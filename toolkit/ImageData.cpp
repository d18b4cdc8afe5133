#include "ImageData.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <climits>
#include <cstring>

#include "GdiplusSession.h"
#include "GifDelays.h"
#include "SkinPackage.h"
#include "Win32Handle.h"

namespace ui {
namespace {

// Files on disk that are read as images; icons written by the client are far smaller.
constexpr LONGLONG kMaxDiskImage = 64LL * 1024 * 1024;

bool ReadDiskFile(const std::wstring& path, std::string& out) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxDiskImage) return false;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD done = 0;
  if (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr) ||
      done != bytes.size()) {
    return false;
  }
  out.swap(bytes);
  return true;
}

bool CopyFrame(Gdiplus::Bitmap& bitmap, int width, int height, ImageFrame& frame) {
  Gdiplus::Rect area(0, 0, width, height);
  Gdiplus::BitmapData data{};
  if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
    return false;
  frame.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  const unsigned char* row = static_cast<const unsigned char*>(data.Scan0);
  for (int y = 0; y < height; ++y) {
    std::memcpy(&frame.pixels[static_cast<size_t>(y) * static_cast<size_t>(width)],
                row + static_cast<ptrdiff_t>(y) * data.Stride, static_cast<size_t>(width) * 4);
  }
  bitmap.UnlockBits(&data);
  return true;
}

ImagePtr Decode(const std::string& bytes) {
  if (bytes.empty() || bytes.size() > UINT_MAX || !EnsureGdiplus()) return nullptr;
  ComRef<IStream> stream(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  if (stream.get() == nullptr) return nullptr;
  Gdiplus::Bitmap bitmap(stream.get());
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return nullptr;
  int width = static_cast<int>(bitmap.GetWidth());
  int height = static_cast<int>(bitmap.GetHeight());
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;

  UINT frames = 1;
  bool animated = false;
  GUID dimension = Gdiplus::FrameDimensionTime;
  if (bitmap.GetFrameDimensionsCount() > 0) {
    GUID first{};
    if (bitmap.GetFrameDimensionsList(&first, 1) == Gdiplus::Ok) {
      UINT n = bitmap.GetFrameCount(&first);
      if (n > 1) {
        frames = n;
        dimension = first;
        animated = IsEqualGUID(first, Gdiplus::FrameDimensionTime) != 0;
      }
    }
  }
  auto image = std::make_shared<ImageData>();
  image->width = width;
  image->height = height;
  std::vector<int> delays = animated ? GifFrameDelays(bytes) : std::vector<int>();
  delays.resize(frames, 0);
  image->frames.resize(frames);
  for (UINT i = 0; i < frames; ++i) {
    if (frames > 1 && bitmap.SelectActiveFrame(&dimension, i) != Gdiplus::Ok) return nullptr;
    if (!CopyFrame(bitmap, width, height, image->frames[i])) return nullptr;
    image->frames[i].delayMs = delays[i];
  }
  return image;
}

}  // namespace

ImagePtr DecodeImage(const std::string& bytes) {
  // An image that cannot be decoded is simply not drawn, also when memory runs out.
  try {
    return Decode(bytes);
  } catch (...) {
    return nullptr;
  }
}

ImagePtr ImageCache::Get(std::wstring_view path) {
  try {
    return Lookup(path);
  } catch (...) {
    return nullptr;
  }
}

bool ReadImageBytes(const SkinPackage& package, std::wstring_view path, std::string& out) {
  out.clear();
  if (path.empty()) return false;
  if (package.Read(path, out)) return true;
  return ReadDiskFile(std::wstring(path), out);
}

ImagePtr ImageCache::Lookup(std::wstring_view path) {
  std::wstring key = SkinPackage::LookupKey(path);
  if (key.empty()) key = std::wstring(path);
  if (key.empty()) return nullptr;
  auto it = images_.find(key);
  if (it != images_.end()) return it->second;
  std::string bytes;
  ImagePtr image = ReadImageBytes(package_, path, bytes) ? DecodeImage(bytes) : nullptr;
  images_.emplace(std::move(key), image);
  return image;
}

}  // namespace ui
