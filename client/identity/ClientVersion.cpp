#include <string>
#include <vector>

#include "MachineIdentity.h"

std::wstring GetClientVersion(const std::wstring& path) {
  const std::wstring unknown = L"unknown";
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return unknown;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return unknown;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\", &value, &length) || value == nullptr ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return unknown;
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
  // The product version is what the pages know the client by; the file version may differ.
  return std::to_wstring(HIWORD(info->dwProductVersionMS)) + L"." +
         std::to_wstring(LOWORD(info->dwProductVersionMS)) + L"." +
         std::to_wstring(HIWORD(info->dwProductVersionLS)) + L"." +
         std::to_wstring(LOWORD(info->dwProductVersionLS));
}
