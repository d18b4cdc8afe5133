#pragma once
// Decoded skin images: 32-bit pixels with alpha, one frame per picture of an animated GIF.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ui {

class SkinPackage;

struct ImageFrame {
  // Rows top to bottom, width pixels each, 0xAARRGGBB with straight (not premultiplied) alpha.
  std::vector<uint32_t> pixels;
  // How long the frame shows, in milliseconds (animated GIF); 0 for still images.
  int delayMs = 0;
};

struct ImageData {
  int width = 0;
  int height = 0;
  std::vector<ImageFrame> frames;
  uint32_t PixelAt(int x, int y, size_t frame = 0) const {
    return frames[frame].pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

using ImagePtr = std::shared_ptr<const ImageData>;

// Decodes PNG, GIF (every frame), BMP or JPEG bytes with GDI+; null when they cannot be decoded.
ImagePtr DecodeImage(const std::string& bytes);

// The bytes of an image path: the package entry when the package has it, otherwise the file on
// disk (absolute, or relative to the current directory).
bool ReadImageBytes(const SkinPackage& package, std::wstring_view path, std::string& out);

// Decoded images by path, each decoded once. A path found nowhere or not decodable gives null,
// and is remembered as such, so a missing image costs one look-up.
class ImageCache {
 public:
  explicit ImageCache(const SkinPackage& package) : package_(package) {}
  ImagePtr Get(std::wstring_view path);
  void Clear() { images_.clear(); }
  size_t Size() const { return images_.size(); }

 private:
  ImagePtr Lookup(std::wstring_view path);

  const SkinPackage& package_;
  std::unordered_map<std::wstring, ImagePtr> images_;
};

}  // namespace ui
