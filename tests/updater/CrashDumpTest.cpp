// The crash filter in a small program that installs it and crashes (updater_crasher), run in a
// scratch folder. A minidump takes several seconds under Wine.
#include <gtest/gtest.h>

#include <regex>

#include "CrasherMarker.h"
#include "TextConvert.h"
#include "UpdaterTestSupport.h"

namespace {

std::vector<std::wstring> FilesIn(const std::wstring& dir) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

TEST(UpdaterCrashDump, ACrashWritesADumpIntoANewErrorFolder) {
  testsupport::TempDir dir;
  ASSERT_TRUE(testsupport::CopyTestBinary(L"updater_crasher.exe", dir.Path()));
  auto result = testsupport::RunProcess(dir.File(L"updater_crasher.exe"), L"crash", dir.Path(), 60000);
  ASSERT_TRUE(result.started);
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), result.exitCode);
  std::vector<std::wstring> dumps = FilesIn(dir.File(L"Error\\"));
  ASSERT_EQ(1u, dumps.size());
  EXPECT_TRUE(
      std::regex_match(WideToUtf8(dumps[0]), std::regex(R"(\[updater_crasher\.exe\]\[\d{14}\]\.dmp)")))
      << WideToUtf8(dumps[0]);
  EXPECT_EQ("MDMP", testsupport::ReadFileBytes(dir.File(L"Error\\" + dumps[0])).substr(0, 4));
}

TEST(UpdaterCrashDump, AnErrorFileInsteadOfAFolderMeansNoDumpButTheSameAnswer) {
  testsupport::TempDir dir;
  ASSERT_TRUE(testsupport::CopyTestBinary(L"updater_crasher.exe", dir.Path()));
  ASSERT_TRUE(testsupport::WriteFileBytes(dir.File(L"Error"), "a file"));
  auto called = testsupport::RunProcess(dir.File(L"updater_crasher.exe"), L"call", dir.Path(), 30000);
  EXPECT_FALSE(called.timedOut);
  EXPECT_EQ(static_cast<DWORD>(EXCEPTION_EXECUTE_HANDLER), called.exitCode);
  auto crashed = testsupport::RunProcess(dir.File(L"updater_crasher.exe"), L"crash", dir.Path(), 30000);
  EXPECT_FALSE(crashed.timedOut);
  EXPECT_EQ(static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION), crashed.exitCode);
  EXPECT_EQ("a file", testsupport::ReadFileBytes(dir.File(L"Error")));
  EXPECT_EQ((std::vector<std::wstring>{L"Error", L"updater_crasher.exe"}), FilesIn(dir.Path()));
}

// An exception that nothing catches is dumped where it was thrown: the dump holds the stack of
// the function that threw, not the stack after unwinding.
TEST(UpdaterCrashDump, AnEscapedExceptionIsDumpedWhereItWasThrown) {
  testsupport::TempDir dir;
  ASSERT_TRUE(testsupport::CopyTestBinary(L"updater_crasher.exe", dir.Path()));
  auto result = testsupport::RunProcess(dir.File(L"updater_crasher.exe"), L"throw", dir.Path(), 60000);
  ASSERT_TRUE(result.started);
  EXPECT_FALSE(result.timedOut);
  EXPECT_NE(2u, result.exitCode);
  std::vector<std::wstring> dumps = FilesIn(dir.File(L"Error\\"));
  ASSERT_EQ(1u, dumps.size());
  const std::string dump = testsupport::ReadFileBytes(dir.File(L"Error\\" + dumps[0]));
  EXPECT_EQ("MDMP", dump.substr(0, 4));
  std::string marker;
  for (size_t i = 0; i < kThrowSiteMarkerLength; ++i) marker += ThrowSiteMarkerByte(i);
  EXPECT_NE(std::string::npos, dump.find(marker));
}

}  // namespace
