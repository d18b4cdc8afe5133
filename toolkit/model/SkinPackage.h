#pragma once
// The skin package: a ZIP archive (stored or deflated entries) read from memory. Layout files
// and images are looked up by package path: "\" becomes "/", case is ignored, and a path of 256
// characters or more is never found.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ui {

// Paths this long or longer are never found in the package.
constexpr size_t kMaxPackagePath = 256;

class SkinPackage {
 public:
  SkinPackage() = default;
  SkinPackage(const SkinPackage&) = delete;
  SkinPackage& operator=(const SkinPackage&) = delete;

  // Reads the central directory of a ZIP archive. The bytes are copied.
  bool Open(const void* data, size_t size);
  // Reads the archive from memory that outlives the package (a module's resource), uncopied.
  bool OpenUnowned(const void* data, size_t size);
  void Close();

  bool IsOpen() const { return data_ != nullptr; }
  // Tells apart the archives opened in the process: each successful open gets a new number, so
  // that what was read from one archive is never taken for another's.
  uint64_t Serial() const { return serial_; }
  size_t EntryCount() const { return entries_.size(); }
  // Entry names as the archive has them ("Xmls/Default.xml"), in archive order.
  std::vector<std::wstring> EntryNames() const;

  bool Contains(std::wstring_view path) const;
  // The entry's bytes; false when the entry is missing, damaged or of an unsupported kind.
  bool Read(std::wstring_view path, std::string& out) const;

  // The lookup key of a path: "\" becomes "/", lower case; empty for paths that are never found.
  static std::wstring LookupKey(std::wstring_view path);

 private:
  struct Entry {
    std::wstring name;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t localOffset = 0;
  };
  bool ReadDirectory();
  bool ReadDirectorySafely();
  bool ReadEntry(std::wstring_view path, std::string& out) const;

  std::vector<uint8_t> owned_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  uint64_t serial_ = 0;
  std::vector<Entry> entries_;
  std::unordered_map<std::wstring, size_t> index_;
};

// The process's skin package: empty until LoadSkinPackage (model/SkinResource.h) succeeds.
SkinPackage& GetSkinPackage();

}  // namespace ui
