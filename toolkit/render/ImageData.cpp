#include "render/ImageData.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <climits>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "OwnedHandle.h"
#include "model/SkinPackage.h"
#include "render/GdiplusSession.h"
#include "render/GifDelays.h"

namespace ui {
namespace {

// Files on disk that are read as images; icons written by the client are far smaller.
constexpr LONGLONG kMaxDiskImage = 64LL * 1024 * 1024;

bool ReadDiskFile(const std::wstring& path, std::string& out) {
  UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxDiskImage) return false;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD done = 0;
  if (!ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr) ||
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

}  // namespace

// The picture's stream and bitmap, kept for the frames not decoded yet.
class FrameDecoder {
 public:
  FrameDecoder(ComRef<IStream> stream, std::unique_ptr<Gdiplus::Bitmap> bitmap, GUID dimension, size_t frames)
      : stream_(std::move(stream)), bitmap_(std::move(bitmap)), dimension_(dimension), tried_(frames, false) {
    // The first frame was decoded with the picture.
    tried_[0] = true;
    triedCount_ = 1;
  }
  // Decodes one frame into `frame`; true once every frame has been tried.
  bool Decode(size_t index, int width, int height, ImageFrame& frame) {
    if (index < tried_.size() && !tried_[index]) {
      tried_[index] = true;
      ++triedCount_;
      if (bitmap_->SelectActiveFrame(&dimension_, static_cast<UINT>(index)) != Gdiplus::Ok ||
          !CopyFrame(*bitmap_, width, height, frame)) {
        frame.pixels.clear();
      }
    }
    return triedCount_ >= tried_.size();
  }

 private:
  ComRef<IStream> stream_;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  GUID dimension_;
  std::vector<bool> tried_;
  size_t triedCount_ = 0;
};

const ImageFrame& ImageData::Frame(size_t index) const {
  ImageFrame& frame = frames[index];
  if (pending && frame.pixels.empty()) {
    // A frame that cannot be decoded stays empty and is not drawn.
    try {
      if (pending->Decode(index, width, height, frame)) pending.reset();
    } catch (...) {
      frame.pixels.clear();
    }
  }
  return frame;
}

namespace {

ImagePtr Decode(const std::string& bytes) {
  if (bytes.empty() || bytes.size() > UINT_MAX || !EnsureGdiplus()) return nullptr;
  ComRef<IStream> stream(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
  if (!stream) return nullptr;
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream.Get());
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  int width = static_cast<int>(bitmap->GetWidth());
  int height = static_cast<int>(bitmap->GetHeight());
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;

  UINT frames = 1;
  bool animated = false;
  GUID dimension = Gdiplus::FrameDimensionTime;
  if (bitmap->GetFrameDimensionsCount() > 0) {
    GUID first{};
    if (bitmap->GetFrameDimensionsList(&first, 1) == Gdiplus::Ok) {
      UINT n = bitmap->GetFrameCount(&first);
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
  for (UINT i = 0; i < frames; ++i) image->frames[i].delayMs = delays[i];
  if (frames > 1 && bitmap->SelectActiveFrame(&dimension, 0) != Gdiplus::Ok) return nullptr;
  if (!CopyFrame(*bitmap, width, height, image->frames[0])) return nullptr;
  if (frames > 1) {
    image->pending = std::make_shared<FrameDecoder>(std::move(stream), std::move(bitmap), dimension, frames);
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

bool WarmImagingLibrary() {
  // A 1x1 transparent PNG.
  static const unsigned char kPixel[] = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00,
      0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0x1F, 0x15, 0xC4, 0x89, 0x00,
      0x00, 0x00, 0x0B, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60, 0x00, 0x02, 0x00, 0x00, 0x05, 0x00,
      0x01, 0x7A, 0x5E, 0xAB, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  return DecodeImage(std::string(reinterpret_cast<const char*>(kPixel), sizeof kPixel)) != nullptr;
}

bool ReadImageBytes(const SkinPackage& package, std::wstring_view path, std::string& out) {
  out.clear();
  if (path.empty()) return false;
  if (package.Read(path, out)) return true;
  return ReadDiskFile(std::wstring(path), out);
}

namespace {

// A file on disk as last decoded: decoded again when its size or time of writing changed.
struct DiskImage {
  ULONGLONG size = 0;
  FILETIME written{};
  ImagePtr image;
};

struct ProcessImageCache {
  // By package serial and lookup key.
  std::unordered_map<std::wstring, ImagePtr> package;
  // By the path as given.
  std::unordered_map<std::wstring, DiskImage> disk;
};

ProcessImageCache& Cache() {
  // GDI+ starts before the cache is made, so that it ends after it: animations not fully
  // decoded hold GDI+ bitmaps.
  static const bool gdiplus = EnsureGdiplus();
  static_cast<void>(gdiplus);
  static ProcessImageCache cache;
  return cache;
}

ImagePtr LoadFromDisk(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    Cache().disk.erase(path);
    return nullptr;
  }
  const ULONGLONG size = (static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  auto& disk = Cache().disk;
  auto it = disk.find(path);
  if (it != disk.end() && it->second.size == size &&
      CompareFileTime(&it->second.written, &info.ftLastWriteTime) == 0)
    return it->second.image;
  std::string bytes;
  ImagePtr image = ReadDiskFile(path, bytes) ? DecodeImage(bytes) : nullptr;
  disk[path] = DiskImage{size, info.ftLastWriteTime, image};
  return image;
}

ImagePtr Load(const SkinPackage& package, std::wstring_view path) {
  if (path.empty()) return nullptr;
  std::wstring key = SkinPackage::LookupKey(path);
  if (!key.empty() && package.Contains(path)) {
    key = std::to_wstring(package.Serial()) + L"|" + key;
    auto& cache = Cache().package;
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    std::string bytes;
    ImagePtr image = package.Read(path, bytes) ? DecodeImage(bytes) : nullptr;
    cache.emplace(std::move(key), image);
    return image;
  }
  return LoadFromDisk(std::wstring(path));
}

}  // namespace

ImagePtr LoadSkinImage(const SkinPackage& package, std::wstring_view path) {
  try {
    return Load(package, path);
  } catch (...) {
    return nullptr;
  }
}

size_t CachedImageCount() { return Cache().package.size() + Cache().disk.size(); }

}  // namespace ui
