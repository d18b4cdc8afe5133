#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

std::wstring ProductVersion(const std::wstring& path) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return L"none";
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return L"none";
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info) return L"none";
  return std::to_wstring(HIWORD(info->dwProductVersionMS)) + L"." +
         std::to_wstring(LOWORD(info->dwProductVersionMS)) + L"." +
         std::to_wstring(HIWORD(info->dwProductVersionLS)) + L"." +
         std::to_wstring(LOWORD(info->dwProductVersionLS));
}

}  // namespace

TEST(VersionResource, ProgramsCarryTheirProductVersions) {
  EXPECT_EQ(L"4.0.0.5", ProductVersion(std::wstring(ORV_TEST_DIST_DIR) + L"Orvanta.exe"));
  EXPECT_EQ(L"2.0.0.1", ProductVersion(std::wstring(ORV_TEST_DIST_DIR) + L"Pelgrix.exe"));
}
