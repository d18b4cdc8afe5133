#pragma once
// Decoded skin images: 32-bit pixels with alpha, one frame per picture of an animated GIF.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class SkinPackage;

struct ImageFrame {
  // Rows top to bottom, width pixels each, 0xAARRGGBB with straight (not premultiplied) alpha.
  std::vector<uint32_t> pixels;
  // How long the frame shows, in milliseconds (animated GIF); 0 for still images.
  int delayMs = 0;
};

// Holds an animation's encoded picture until each of its frames has been decoded.
class FrameDecoder;

struct ImageData {
  int width = 0;
  int height = 0;
  // One entry per frame with its delay. An animation's first frame is decoded at once, the others
  // when first asked for through Frame: a window that never plays its animation decodes one.
  mutable std::vector<ImageFrame> frames;
  mutable std::shared_ptr<FrameDecoder> pending;
  // The frame with its pixels (none when it could not be decoded). For the one user-interface
  // thread, like the image cache.
  const ImageFrame& Frame(size_t index) const;
  uint32_t PixelAt(int x, int y, size_t frame = 0) const {
    return Frame(frame).pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

using ImagePtr = std::shared_ptr<const ImageData>;

// Decodes PNG, GIF (every frame), BMP or JPEG bytes with GDI+; null when they cannot be decoded.
ImagePtr DecodeImage(const std::string& bytes);

// Starts the imaging library as far as a first decoding does (under Wine the codecs load only
// then), with a built-in 1x1 picture. Safe on any thread; false when nothing decodes.
bool WarmImagingLibrary();

// The bytes of an image path: the package entry when the package has it, otherwise the file on
// disk (absolute, or relative to the current directory).
bool ReadImageBytes(const SkinPackage& package, std::wstring_view path, std::string& out);

// A decoded image by path, from the process's image cache: windows that show the same image
// share one decoding. Package entries are decoded once per package (found or not); a path the
// package lacks is read from disk and decoded again only when the file changed. A path found
// nowhere or not decodable gives null. For the one user-interface thread.
ImagePtr LoadSkinImage(const SkinPackage& package, std::wstring_view path);
// How many images the process cache holds (decoded or known to be missing).
size_t CachedImageCount();

}  // namespace ui
