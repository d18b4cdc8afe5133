#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace ui {

// Inflates a raw deflate stream (no zlib header, as ZIP stores it) that must yield exactly
// `expectedSize` bytes; anything else is a failure. The expected size bounds the output, so a
// crafted entry cannot make the reader allocate more than its directory announced.
bool InflateRaw(const uint8_t* data, size_t size, size_t expectedSize, std::string& out);

uint32_t Crc32(const std::string& bytes);

}  // namespace ui
