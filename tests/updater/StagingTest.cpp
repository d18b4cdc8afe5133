// Staging, the size check, replacement and the self-update's moves, in a scratch program folder
// against the cashier stand-in.
#include <gtest/gtest.h>

#include "Manifest.h"
#include "Staging.h"
#include "UpdaterTestSupport.h"

namespace {

using cashier::Fault;
using updatertest::CapturedLog;
using updatertest::ManifestXml;
using updatertest::Pattern;
using updatertest::ProgramFolder;
using updatertest::StandIn;

ManifestMap SetOf(std::initializer_list<FileEntry> entries) {
  ManifestMap set;
  for (const FileEntry& entry : entries) set[entry.name] = entry;
  return set;
}

TEST(UpdaterStaging, TheSizeRule) {
  ProgramFolder folder;
  folder.Write(L"four.bin", "1234");
  folder.Write(L"empty.bin", "");
  struct Case {
    const char* file;
    uint32_t expected;
    bool ok;
  } cases[] = {{"four.bin", 0, true},  {"four.bin", 4, true},  {"four.bin", 5, false},
               {"four.bin", 3, false}, {"empty.bin", 0, true}, {"empty.bin", 1, false},
               {"none.bin", 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.ok, CheckFileSize(folder.Ansi(c.file), c.expected)) << c.file << " " << c.expected;
  }
}

TEST(UpdaterStaging, InstallsEveryFileAndRecordsTheReceivedManifest) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dll", "new a");
  standIn.Put(L"b.dll", Pattern(3000));
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dll", "old a");
  const std::string received = ManifestXml({{"2", "a.dll", "5"}, {"1", "b.dll", ""}});
  folder.Write(L"ServerList.xml", received);
  folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dll", ""}}));
  CapturedLog log;
  ASSERT_TRUE(ApplyUpdates(folder.context, "127.0.0.1",
                           SetOf({{"a.dll", "2", false, 5}, {"b.dll", "1", true, 0}}), standIn.Port()));
  EXPECT_EQ("new a", folder.Read(L"a.dll"));
  EXPECT_EQ(Pattern(3000), folder.Read(L"b.dll"));
  EXPECT_FALSE(folder.Exists(L"temp\\a.dll"));
  EXPECT_FALSE(folder.Exists(L"ServerList.xml"));
  EXPECT_EQ(received, folder.Read(L"UpdateList.xml"));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ((std::vector<std::string>{"UPDATE,a.dll", "UPDATE,b.dll"}), standIn.server.Requests());
}

TEST(UpdaterStaging, AFailedFetchMovesNothing) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dll", "new a");
  standIn.Put(L"c.dll", "new c");  // b.dll is missing on the server
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dll", "old a");
  folder.Write(L"c.dll", "old c");
  const std::string local = ManifestXml({{"1", "a.dll", ""}, {"1", "b.dll", ""}, {"1", "c.dll", ""}});
  folder.Write(L"UpdateList.xml", local);
  folder.Write(L"ServerList.xml", ManifestXml({{"2", "a.dll", ""}, {"2", "b.dll", ""}, {"2", "c.dll", ""}}));
  CapturedLog log;
  EXPECT_FALSE(ApplyUpdates(
      folder.context, "127.0.0.1",
      SetOf({{"a.dll", "2", false, 0}, {"b.dll", "2", false, 0}, {"c.dll", "2", false, 0}}), standIn.Port()));
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"socket 更新文件失败。")}, log.Lines());
  EXPECT_EQ("new a", folder.Read(L"temp\\a.dll"));  // the first stays staged
  EXPECT_FALSE(folder.Exists(L"temp\\c.dll"));      // the third was never asked for
  EXPECT_EQ("old a", folder.Read(L"a.dll"));
  EXPECT_EQ("old c", folder.Read(L"c.dll"));
  EXPECT_EQ(local, folder.Read(L"UpdateList.xml"));
  EXPECT_EQ(2u, standIn.server.Requests().size());
}

TEST(UpdaterStaging, AWrongSizeMovesNothing) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dll", "1234");
  standIn.Put(L"b.dll", "1234");
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"ServerList.xml", ManifestXml({{"2", "a.dll", "0"}, {"2", "b.dll", "5"}}));
  CapturedLog log;
  EXPECT_FALSE(ApplyUpdates(folder.context, "127.0.0.1",
                            SetOf({{"a.dll", "2", true, 0}, {"b.dll", "2", true, 5}}), standIn.Port()));
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"更新文件大小出错。")}, log.Lines());
  EXPECT_FALSE(folder.Exists(L"a.dll"));
  EXPECT_FALSE(folder.Exists(L"b.dll"));
  EXPECT_FALSE(folder.Exists(L"UpdateList.xml"));
}

TEST(UpdaterStaging, AFileCutShortByTheServerFailsTheSizeCheck) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dll", Pattern(3000));
  cashier::ServerOptions options;
  options.fault = Fault::CloseMidFile;  // an orderly close after 1200 bytes looks like the end
  options.partBytes = 1200;
  ASSERT_TRUE(standIn.Start(options));
  folder.Write(L"a.dll", "old a");
  CapturedLog log;
  EXPECT_FALSE(
      ApplyUpdates(folder.context, "127.0.0.1", SetOf({{"a.dll", "2", false, 3000}}), standIn.Port()));
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"更新文件大小出错。")}, log.Lines());
  EXPECT_EQ(1200u, folder.Read(L"temp\\a.dll").size());
  EXPECT_EQ("old a", folder.Read(L"a.dll"));
}

TEST(UpdaterStaging, AFileInUseKeepsItsStagedCopyAndOldVersionAndIsFetchedAgain) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dll", "new a");
  standIn.Put(L"b.dll", "new b");
  standIn.Put(L"c.dll", "new c");
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dll", "old a");
  folder.Write(L"b.dll", "old b");
  folder.Write(L"UpdateList.xml", ManifestXml({{"1.0", "a.dll", ""}, {"1.0", "b.dll", ""}}));
  const std::string received =
      ManifestXml({{"2.0", "a.dll", ""}, {"2.0", "b.dll", ""}, {"2.0", "c.dll", ""}});
  folder.Write(L"ServerList.xml", received);

  ManifestMap set;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  ASSERT_EQ(3u, set.size());
  // Another program holds b.dll open without delete sharing, as a running program holds its DLL;
  // c.dll is new and held as well.
  testsupport::WriteFileBytes(folder.Path(L"c.dll"), "");
  HANDLE b = CreateFileW(folder.Path(L"b.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  HANDLE c = CreateFileW(folder.Path(L"c.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, b);
  ASSERT_NE(INVALID_HANDLE_VALUE, c);
  CapturedLog log;
  bool applied = ApplyUpdates(folder.context, "127.0.0.1", set, standIn.Port());
  CloseHandle(b);
  CloseHandle(c);
  DeleteFileW(folder.Path(L"c.dll").c_str());
  EXPECT_TRUE(applied);
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ("new a", folder.Read(L"a.dll"));
  EXPECT_EQ("old b", folder.Read(L"b.dll"));
  EXPECT_EQ("new b", folder.Read(L"temp\\b.dll"));
  EXPECT_EQ("new c", folder.Read(L"temp\\c.dll"));

  // The local manifest records what is installed: a.dll new, b.dll still old, c.dll not at all.
  ManifestMap local;
  ASSERT_TRUE(ReadManifest(folder.Ansi("UpdateList.xml"), local));
  ASSERT_EQ(2u, local.size());
  EXPECT_EQ("2.0", local["a.dll"].ver);
  EXPECT_EQ("1.0", local["b.dll"].ver);
  EXPECT_FALSE(folder.Exists(L"ServerList.xml"));

  // The next run asks for both again and installs them.
  folder.Write(L"ServerList.xml", received);
  ManifestMap again;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), again));
  ASSERT_EQ(2u, again.size());
  EXPECT_FALSE(again["b.dll"].isNew);
  EXPECT_TRUE(again["c.dll"].isNew);
  EXPECT_TRUE(ApplyUpdates(folder.context, "127.0.0.1", again, standIn.Port()));
  EXPECT_EQ("new b", folder.Read(L"b.dll"));
  EXPECT_EQ("new c", folder.Read(L"c.dll"));
  EXPECT_EQ(received, folder.Read(L"UpdateList.xml"));
}

// The self-update's moves, on a stand-in "Pelgrix.exe" that is not running.
struct SelfUpdateFolder : ProgramFolder {
  StandIn standIn;
  SelfUpdateFolder() {
    Write(L"Pelgrix.exe", "old updater");
    Write(L"UpdateList.xml", ManifestXml({{"1", "a.dll", ""}, {"2.0.0.1", "Pelgrix.exe", ""}}));
    standIn.Put(L"Pelgrix.exe", "new updater");
  }
};

TEST(UpdaterSelfUpdate, PutsTheNewUpdaterInPlaceAndRecordsIt) {
  SelfUpdateFolder folder;
  ASSERT_TRUE(folder.standIn.Start());
  folder.Write(L"Pelgrix-2.exe", "left over");  // an earlier self-update's copy is replaced
  CapturedLog log;
  ASSERT_TRUE(
      SelfUpdate(folder.context, "127.0.0.1", {"Pelgrix.exe", "2.0.0.2", false, 11}, folder.standIn.Port()));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ("new updater", folder.Read(L"Pelgrix.exe"));
  EXPECT_EQ("old updater", folder.Read(L"Pelgrix-2.exe"));
  EXPECT_FALSE(folder.Exists(L"temp\\Pelgrix.exe"));
  ManifestMap local;
  ASSERT_TRUE(ReadManifest(folder.Ansi("UpdateList.xml"), local));
  EXPECT_EQ("2.0.0.2", local["Pelgrix.exe"].ver);
  EXPECT_EQ("1", local["a.dll"].ver);
}

TEST(UpdaterSelfUpdate, FailuresBeforeTheMovesChangeNothing) {
  struct Case {
    const char* what;
    bool serve;
    uint32_t size;
    const wchar_t* message;
  } cases[] = {{"not delivered", false, 0, L"下载更新程序失败"},
               {"wrong size", true, 12, L"更新程序大小不一致"}};
  for (const Case& c : cases) {
    SelfUpdateFolder folder;
    if (!c.serve) DeleteFileW(folder.standIn.folder.File(L"Pelgrix.exe").c_str());
    ASSERT_TRUE(folder.standIn.Start());
    CapturedLog log;
    EXPECT_FALSE(SelfUpdate(folder.context, "127.0.0.1", {"Pelgrix.exe", "2.0.0.2", false, c.size},
                            folder.standIn.Port()))
        << c.what;
    EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(c.message)}, log.Lines()) << c.what;
    EXPECT_EQ("old updater", folder.Read(L"Pelgrix.exe")) << c.what;
    EXPECT_FALSE(folder.Exists(L"Pelgrix-2.exe")) << c.what;
  }
}

TEST(UpdaterSelfUpdate, ARunningUpdaterThatCannotBeMovedAsideStays) {
  SelfUpdateFolder folder;
  ASSERT_TRUE(folder.standIn.Start());
  HANDLE running = CreateFileW(folder.Path(L"Pelgrix.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, running);
  CapturedLog log;
  bool updated =
      SelfUpdate(folder.context, "127.0.0.1", {"Pelgrix.exe", "2.0.0.2", false, 0}, folder.standIn.Port());
  CloseHandle(running);
  EXPECT_FALSE(updated);
  ASSERT_EQ(1u, log.Lines().size());
  EXPECT_TRUE(log.HasPrefix(L"自更，移动原文件失败，error=")) << log.Lines()[0];
  EXPECT_EQ("old updater", folder.Read(L"Pelgrix.exe"));
  EXPECT_EQ("new updater", folder.Read(L"temp\\Pelgrix.exe"));
}

TEST(UpdaterSelfUpdate, WhenTheNewUpdaterCannotBePutInPlaceTheOldOneIsRestored) {
  SelfUpdateFolder folder;
  ASSERT_TRUE(folder.standIn.Start());
  const std::string localBefore = folder.Read(L"UpdateList.xml");
  // The staged copy is held open without delete sharing (as a virus scanner may hold a new
  // executable): it can be written and measured, but not moved.
  folder.Write(L"temp\\Pelgrix.exe", "");
  HANDLE staged = CreateFileW(folder.Path(L"temp\\Pelgrix.exe").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, staged);
  CapturedLog log;
  bool updated =
      SelfUpdate(folder.context, "127.0.0.1", {"Pelgrix.exe", "2.0.0.2", false, 11}, folder.standIn.Port());
  CloseHandle(staged);
  EXPECT_FALSE(updated);
  ASSERT_EQ(1u, log.Lines().size());
  EXPECT_TRUE(log.HasPrefix(L"自更，替换新文件失败，error=")) << log.Lines()[0];
  EXPECT_EQ("old updater", folder.Read(L"Pelgrix.exe"));
  EXPECT_FALSE(folder.Exists(L"Pelgrix-2.exe"));
  EXPECT_EQ("new updater", folder.Read(L"temp\\Pelgrix.exe"));
  EXPECT_EQ(localBefore, folder.Read(L"UpdateList.xml"));
}

}  // namespace
