#include <gtest/gtest.h>

#include <string>

#include "MachineIdentity.h"
#include "TestSupport.h"

namespace {

using testsupport::TempDir;

std::wstring OwnPath() {
  wchar_t path[260] = {};
  GetModuleFileNameW(nullptr, path, 260);
  return path;
}

TEST(ClientVersion, ReadsTheProductVersion) {
  TempDir dir;
  ASSERT_TRUE(testsupport::WriteFileBytes(dir.File(L"notes.txt"), "not a program"));
  struct Case {
    const wchar_t* name;
    std::wstring path;
    std::wstring expected;
  };
  const std::wstring bin = ORV_TEST_BIN_DIR;
  const Case cases[] = {
      {L"parts of 65535, unsigned", bin + L"orv_identity_version_max.exe", L"65535.2.3.65535"},
      {L"product version, not file version", bin + L"orv_identity_version_split.exe", L"1.65535.0.7"},
      {L"the client's own", std::wstring(ORV_TEST_DIST_DIR) + L"Orvanta.exe", L"4.0.0.5"},
      {L"program without a version resource", OwnPath(), L"unknown"},
      {L"file that is no program", dir.File(L"notes.txt"), L"unknown"},
      {L"missing file", dir.File(L"missing.exe"), L"unknown"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, GetClientVersion(c.path)) << c.name;
}

TEST(ClientVersion, CurrentIdentityUsesTheRunningProgram) {
  // The test program itself carries no version resource.
  EXPECT_EQ("unknown", CurrentMachineIdentity().clientVersion);
}

}  // namespace
