#include "PeImage.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "Handles.h"

namespace {

bool ReadAt(HANDLE file, uint64_t offset, void* buffer, DWORD length) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  return ReadFile(file, buffer, length, &read, &at) && read == length;
}

}  // namespace

bool IsWholePeImage(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  if (!file.Valid()) return false;
  LARGE_INTEGER sizeValue = {};
  if (!GetFileSizeEx(file.Get(), &sizeValue) || sizeValue.QuadPart < 0) return false;
  const uint64_t size = static_cast<uint64_t>(sizeValue.QuadPart);

  IMAGE_DOS_HEADER dos = {};
  if (!ReadAt(file.Get(), 0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0) {
    return false;
  }
  const uint64_t ntOffset = static_cast<uint64_t>(dos.e_lfanew);
  DWORD signature = 0;
  IMAGE_FILE_HEADER header = {};
  if (!ReadAt(file.Get(), ntOffset, &signature, sizeof signature) || signature != IMAGE_NT_SIGNATURE)
    return false;
  if (!ReadAt(file.Get(), ntOffset + sizeof signature, &header, sizeof header)) return false;
  if (header.NumberOfSections == 0) return false;

  // SizeOfHeaders lies at the same place in the 32-bit and the 64-bit optional header.
  const uint64_t optionalOffset = ntOffset + sizeof signature + sizeof header;
  const size_t sizeOfHeadersAt = offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfHeaders);
  static_assert(
      offsetof(IMAGE_OPTIONAL_HEADER32, SizeOfHeaders) == offsetof(IMAGE_OPTIONAL_HEADER64, SizeOfHeaders),
      "the optional headers differ");
  if (header.SizeOfOptionalHeader < sizeOfHeadersAt + sizeof(DWORD)) return false;
  WORD magic = 0;
  DWORD sizeOfHeaders = 0;
  if (!ReadAt(file.Get(), optionalOffset, &magic, sizeof magic)) return false;
  if (magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC && magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) return false;
  if (!ReadAt(file.Get(), optionalOffset + sizeOfHeadersAt, &sizeOfHeaders, sizeof sizeOfHeaders))
    return false;
  if (sizeOfHeaders > size) return false;

  const uint64_t sectionsOffset = optionalOffset + header.SizeOfOptionalHeader;
  for (WORD i = 0; i < header.NumberOfSections; ++i) {
    IMAGE_SECTION_HEADER section = {};
    if (!ReadAt(file.Get(), sectionsOffset + i * sizeof section, &section, sizeof section)) return false;
    if (section.SizeOfRawData == 0) continue;  // uninitialised data: nothing in the file
    if (static_cast<uint64_t>(section.PointerToRawData) + section.SizeOfRawData > size) return false;
  }
  return true;
}
