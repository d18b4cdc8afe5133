#include "model/SkinPackage.h"

#include <cstring>

#include "TextConvert.h"
#include "model/EntryNameCase.h"
#include "model/ZipInflate.h"

namespace ui {
namespace {

constexpr uint32_t kEndOfDirectorySig = 0x06054b50;
constexpr uint32_t kDirectoryEntrySig = 0x02014b50;
constexpr uint32_t kLocalHeaderSig = 0x04034b50;
constexpr size_t kEndOfDirectorySize = 22;
constexpr size_t kDirectoryEntrySize = 46;
constexpr size_t kLocalHeaderSize = 30;
// Skin files are small; a larger announced size is a damaged or hostile archive.
constexpr uint32_t kMaxEntrySize = 64u * 1024u * 1024u;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

std::wstring SkinPackage::LookupKey(std::wstring_view path) {
  if (path.empty() || path.size() >= kMaxPackagePath) return std::wstring();
  std::wstring key(path);
  for (wchar_t& c : key) {
    if (c == L'\\') c = L'/';
  }
  return LowerCaseEntryName(std::move(key));
}

bool SkinPackage::Open(const void* data, size_t size) {
  Close();
  if (data == nullptr || size == 0) return false;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  try {
    owned_.assign(bytes, bytes + size);
  } catch (...) {
    return false;
  }
  data_ = owned_.data();
  size_ = owned_.size();
  if (!ReadDirectorySafely()) {
    Close();
    return false;
  }
  return true;
}

bool SkinPackage::OpenUnowned(const void* data, size_t size) {
  Close();
  if (data == nullptr || size == 0) return false;
  data_ = static_cast<const uint8_t*>(data);
  size_ = size;
  if (!ReadDirectorySafely()) {
    Close();
    return false;
  }
  return true;
}

void SkinPackage::Close() {
  owned_.clear();
  owned_.shrink_to_fit();
  data_ = nullptr;
  size_ = 0;
  serial_ = 0;
  entries_.clear();
  index_.clear();
}

bool SkinPackage::ReadDirectorySafely() {
  static uint64_t lastSerial = 0;
  try {
    if (!ReadDirectory()) return false;
    serial_ = ++lastSerial;
    return true;
  } catch (...) {
    return false;
  }
}

bool SkinPackage::ReadDirectory() {
  if (size_ < kEndOfDirectorySize) return false;
  // The end record sits in the last 22 bytes plus an archive comment of at most 65535 bytes.
  size_t lowest = size_ > kEndOfDirectorySize + 0xFFFF ? size_ - kEndOfDirectorySize - 0xFFFF : 0;
  size_t pos = size_ - kEndOfDirectorySize;
  bool found = false;
  for (;;) {
    if (Read32(data_ + pos) == kEndOfDirectorySig) {
      found = true;
      break;
    }
    if (pos == lowest) break;
    --pos;
  }
  if (!found) return false;
  const uint8_t* end = data_ + pos;
  uint16_t count = Read16(end + 10);
  uint32_t dirSize = Read32(end + 12);
  uint32_t dirOffset = Read32(end + 16);
  if (dirOffset > pos || dirSize > pos - dirOffset) return false;

  size_t p = dirOffset;
  const size_t dirEnd = static_cast<size_t>(dirOffset) + dirSize;
  for (uint16_t i = 0; i < count; ++i) {
    if (p + kDirectoryEntrySize > dirEnd) return false;
    const uint8_t* h = data_ + p;
    if (Read32(h) != kDirectoryEntrySig) return false;
    Entry e;
    e.flags = Read16(h + 8);
    e.method = Read16(h + 10);
    e.crc = Read32(h + 16);
    e.compressedSize = Read32(h + 20);
    e.size = Read32(h + 24);
    uint16_t nameLen = Read16(h + 28);
    uint16_t extraLen = Read16(h + 30);
    uint16_t commentLen = Read16(h + 32);
    e.localOffset = Read32(h + 42);
    size_t next = p + kDirectoryEntrySize + nameLen + extraLen + commentLen;
    if (next > dirEnd) return false;
    std::string rawName(reinterpret_cast<const char*>(h + kDirectoryEntrySize), nameLen);
    p = next;
    // Names are UTF-8 (flag bit 11) or plain ASCII in the packages the build makes.
    e.name = Utf8ToWide(rawName);
    if (e.name.empty() || e.name.back() == L'/') continue;
    std::wstring key = LookupKey(e.name);
    if (key.empty()) continue;
    entries_.push_back(std::move(e));
    index_.emplace(std::move(key), entries_.size() - 1);
  }
  return true;
}

std::vector<std::wstring> SkinPackage::EntryNames() const {
  std::vector<std::wstring> names;
  names.reserve(entries_.size());
  for (const Entry& e : entries_) names.push_back(e.name);
  return names;
}

bool SkinPackage::Contains(std::wstring_view path) const {
  std::wstring key = LookupKey(path);
  return !key.empty() && index_.count(key) != 0;
}

bool SkinPackage::Read(std::wstring_view path, std::string& out) const {
  out.clear();
  try {
    return ReadEntry(path, out);
  } catch (...) {
    out.clear();
    return false;
  }
}

bool SkinPackage::ReadEntry(std::wstring_view path, std::string& out) const {
  std::wstring key = LookupKey(path);
  if (key.empty()) return false;
  auto it = index_.find(key);
  if (it == index_.end()) return false;
  const Entry& e = entries_[it->second];
  // Encrypted entries (bit 0) are not part of a skin.
  if ((e.flags & 1) != 0 || e.size > kMaxEntrySize) return false;
  if (e.localOffset > size_ || size_ - e.localOffset < kLocalHeaderSize) return false;
  const uint8_t* local = data_ + e.localOffset;
  if (Read32(local) != kLocalHeaderSig) return false;
  size_t start =
      static_cast<size_t>(e.localOffset) + kLocalHeaderSize + Read16(local + 26) + Read16(local + 28);
  if (start > size_ || size_ - start < e.compressedSize) return false;
  const uint8_t* body = data_ + start;
  std::string bytes;
  if (e.method == 0) {
    if (e.compressedSize != e.size) return false;
    bytes.assign(reinterpret_cast<const char*>(body), e.size);
  } else if (e.method == 8) {
    if (!InflateRaw(body, e.compressedSize, e.size, bytes)) return false;
  } else {
    return false;
  }
  if (Crc32(bytes) != e.crc) return false;
  out.swap(bytes);
  return true;
}

SkinPackage& GetSkinPackage() {
  static SkinPackage package;
  return package;
}

}  // namespace ui
