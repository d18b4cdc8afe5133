#include "render/GifDelays.h"

#include <cstdint>

namespace ui {
namespace {

// Reads GIF blocks with bounds checks; every accessor fails past the end.
class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool Byte(uint8_t& out) {
    if (pos_ >= bytes_.size()) return false;
    out = static_cast<uint8_t>(bytes_[pos_++]);
    return true;
  }
  bool Skip(size_t n) {
    if (bytes_.size() - pos_ < n) return false;
    pos_ += n;
    return true;
  }
  // Data sub-blocks up to and including the zero-length terminator.
  bool SkipSubBlocks() {
    for (;;) {
      uint8_t len = 0;
      if (!Byte(len)) return false;
      if (len == 0) return true;
      if (!Skip(len)) return false;
    }
  }
  size_t pos() const { return pos_; }

 private:
  const std::string& bytes_;
  size_t pos_ = 0;
};

size_t ColorTableSize(uint8_t packed) { return (packed & 0x80) != 0 ? 3u * (2u << (packed & 0x07)) : 0u; }

}  // namespace

std::vector<int> GifFrameDelays(const std::string& bytes) {
  if (bytes.size() < 13 || (bytes.compare(0, 6, "GIF87a") != 0 && bytes.compare(0, 6, "GIF89a") != 0))
    return {};
  Reader r(bytes);
  r.Skip(10);
  uint8_t screenPacked = 0;
  if (!r.Byte(screenPacked) || !r.Skip(2) || !r.Skip(ColorTableSize(screenPacked))) return {};

  std::vector<int> delays;
  int pending = 0;
  for (;;) {
    uint8_t introducer = 0;
    if (!r.Byte(introducer)) return {};
    if (introducer == 0x3B) return delays;  // trailer
    if (introducer == 0x21) {
      uint8_t label = 0;
      if (!r.Byte(label)) return {};
      if (label == 0xF9) {
        uint8_t size = 0, packed = 0, lo = 0, hi = 0;
        if (!r.Byte(size) || size < 4 || !r.Byte(packed) || !r.Byte(lo) || !r.Byte(hi) ||
            !r.Skip(size - 3u)) {
          return {};
        }
        pending = (lo | (hi << 8)) * 10;
      }
      if (!r.SkipSubBlocks()) return {};
    } else if (introducer == 0x2C) {
      uint8_t packed = 0;
      if (!r.Skip(8) || !r.Byte(packed) || !r.Skip(ColorTableSize(packed)) || !r.Skip(1) ||
          !r.SkipSubBlocks()) {
        return {};
      }
      delays.push_back(pending);
      pending = 0;
    } else {
      return {};
    }
  }
}

}  // namespace ui
