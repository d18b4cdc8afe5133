#include "model/ZipInflate.h"

#include <zlib.h>

#include <climits>

namespace ui {
namespace {

// Owns an initialised inflate stream.
class InflateStream {
 public:
  InflateStream() { ok_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  ~InflateStream() {
    if (ok_) inflateEnd(&stream_);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;
  bool ok() const { return ok_; }
  z_stream& get() { return stream_; }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

}  // namespace

bool InflateRaw(const uint8_t* data, size_t size, size_t expectedSize, std::string& out) {
  out.clear();
  if (size > UINT_MAX || expectedSize > UINT_MAX) return false;
  InflateStream inflater;
  if (!inflater.ok()) return false;
  // One spare byte: an entry that inflates to more than announced is caught, not cut.
  std::string buffer(expectedSize + 1, '\0');
  z_stream& z = inflater.get();
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  z.next_out = reinterpret_cast<Bytef*>(&buffer[0]);
  z.avail_out = static_cast<uInt>(buffer.size());
  int rc = inflate(&z, Z_FINISH);
  if (rc != Z_STREAM_END || z.total_out != expectedSize) return false;
  buffer.resize(expectedSize);
  out.swap(buffer);
  return true;
}

uint32_t Crc32(const std::string& bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  const Bytef* p = reinterpret_cast<const Bytef*>(bytes.data());
  size_t left = bytes.size();
  while (left > 0) {
    uInt chunk = left > 0x40000000u ? 0x40000000u : static_cast<uInt>(left);
    crc = crc32(crc, p, chunk);
    p += chunk;
    left -= chunk;
  }
  return static_cast<uint32_t>(crc);
}

}  // namespace ui
