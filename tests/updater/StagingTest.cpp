// Staging, the size check, replacement and the self-update's moves, in a scratch program folder
// against the cashier stand-in.
#include <gtest/gtest.h>

#include <thread>

#include "FetchClient.h"
#include "Manifest.h"
#include "ManifestName.h"
#include "PeImage.h"
#include "Sha256.h"
#include "Staging.h"
#include "UniqueHandle.h"
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

TEST(UpdaterStaging, HashesComeFromTheSystemsCryptography) {
  EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", Sha256Hex("abc"));
  ProgramFolder folder;
  folder.Write(L"big.bin", Pattern(200000));
  std::string hex;
  ASSERT_TRUE(FileSha256Hex(folder.Path(L"big.bin"), hex));
  EXPECT_EQ(Sha256Hex(Pattern(200000)), hex);
  EXPECT_FALSE(FileSha256Hex(folder.Path(L"missing.bin"), hex));
}

// Bytes that differ from the manifest's hash (same size, so the size rule passes) are treated as
// a file cut short: not installed, the old version on record, fetched again; the good one is.
TEST(UpdaterStaging, AFileWhoseBytesDifferFromItsHashIsNotInstalled) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dat", "new a");
  standIn.Put(L"b.dat", "new b");
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dat", "old a");
  folder.Write(L"b.dat", "old b");
  folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dat", ""}, {"1", "b.dat", ""}}));
  folder.Write(L"ServerList.xml", ManifestXml({{"2", "a.dat", "5", Sha256Hex("NEW A")},
                                               {"2", "b.dat", "5", Sha256Hex("new b")}}));
  ManifestMap set;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  CapturedLog log;
  EXPECT_TRUE(ApplyUpdates(folder.context, "127.0.0.1", set, standIn.Port()));
  EXPECT_EQ("old a", folder.Read(L"a.dat"));
  EXPECT_EQ("new b", folder.Read(L"b.dat"));
  EXPECT_TRUE(log.Has(L"更新文件校验值不符，未安装: ", "a.dat"));
  ManifestMap local;
  ASSERT_TRUE(ReadManifest(folder.Ansi("UpdateList.xml"), local));
  EXPECT_EQ("1", local["a.dat"].ver);
  EXPECT_EQ("2", local["b.dat"].ver);
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
  standIn.Put(L"a.dat", "new a");
  standIn.Put(L"b.dat", Pattern(3000));
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dat", "old a");
  const std::string received = ManifestXml({{"2", "a.dat", "5"}, {"1", "b.dat", ""}});
  folder.Write(L"ServerList.xml", received);
  folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dat", ""}}));
  CapturedLog log;
  ASSERT_TRUE(ApplyUpdates(folder.context, "127.0.0.1",
                           SetOf({{"a.dat", "2", false, 5}, {"b.dat", "1", true, 0}}), standIn.Port()));
  EXPECT_EQ("new a", folder.Read(L"a.dat"));
  EXPECT_EQ(Pattern(3000), folder.Read(L"b.dat"));
  EXPECT_FALSE(folder.Exists(L"temp\\a.dat"));
  EXPECT_FALSE(folder.Exists(L"ServerList.xml"));
  EXPECT_EQ(received, folder.Read(L"UpdateList.xml"));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ((std::vector<std::string>{"UPDATE,a.dat", "UPDATE,b.dat"}), standIn.server.Requests());
}

TEST(UpdaterStaging, AFailedFetchMovesNothing) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dat", "new a");
  standIn.Put(L"c.dat", "new c");  // b.dat is missing on the server
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dat", "old a");
  folder.Write(L"c.dat", "old c");
  const std::string local = ManifestXml({{"1", "a.dat", ""}, {"1", "b.dat", ""}, {"1", "c.dat", ""}});
  folder.Write(L"UpdateList.xml", local);
  folder.Write(L"ServerList.xml", ManifestXml({{"2", "a.dat", ""}, {"2", "b.dat", ""}, {"2", "c.dat", ""}}));
  CapturedLog log;
  EXPECT_FALSE(ApplyUpdates(
      folder.context, "127.0.0.1",
      SetOf({{"a.dat", "2", false, 0}, {"b.dat", "2", false, 0}, {"c.dat", "2", false, 0}}), standIn.Port()));
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"socket 更新文件失败。")}, log.Lines());
  EXPECT_EQ("new a", folder.Read(L"temp\\a.dat"));  // the first stays staged
  EXPECT_FALSE(folder.Exists(L"temp\\c.dat"));      // the third was never asked for
  EXPECT_EQ("old a", folder.Read(L"a.dat"));
  EXPECT_EQ("old c", folder.Read(L"c.dat"));
  EXPECT_EQ(local, folder.Read(L"UpdateList.xml"));
  EXPECT_EQ(2u, standIn.server.Requests().size());
}

TEST(UpdaterStaging, AWrongSizeMovesNothing) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dat", "1234");
  standIn.Put(L"b.dat", "1234");
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"ServerList.xml", ManifestXml({{"2", "a.dat", "0"}, {"2", "b.dat", "5"}}));
  CapturedLog log;
  EXPECT_FALSE(ApplyUpdates(folder.context, "127.0.0.1",
                            SetOf({{"a.dat", "2", true, 0}, {"b.dat", "2", true, 5}}), standIn.Port()));
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"更新文件大小出错。")}, log.Lines());
  EXPECT_FALSE(folder.Exists(L"a.dat"));
  EXPECT_FALSE(folder.Exists(L"b.dat"));
  EXPECT_FALSE(folder.Exists(L"UpdateList.xml"));
}

TEST(UpdaterStaging, AFileCutShortByTheServerFailsTheSizeCheck) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dat", Pattern(3000));
  cashier::ServerOptions options;
  options.fault = Fault::CloseMidFile;  // an orderly close after 1200 bytes looks like the end
  options.partBytes = 1200;
  ASSERT_TRUE(standIn.Start(options));
  folder.Write(L"a.dat", "old a");
  CapturedLog log;
  EXPECT_FALSE(
      ApplyUpdates(folder.context, "127.0.0.1", SetOf({{"a.dat", "2", false, 3000}}), standIn.Port()));
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"更新文件大小出错。")}, log.Lines());
  // Nothing of a failed file is kept: it would only take disk space until the next run.
  EXPECT_FALSE(folder.Exists(L"temp\\a.dat"));
  EXPECT_EQ("old a", folder.Read(L"a.dat"));
}

TEST(UpdaterStaging, AFileInUseKeepsItsStagedCopyAndOldVersionAndIsFetchedAgain) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dat", "new a");
  standIn.Put(L"b.dat", "new b");
  standIn.Put(L"c.dat", "new c");
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dat", "old a");
  folder.Write(L"b.dat", "old b");
  folder.Write(L"UpdateList.xml", ManifestXml({{"1.0", "a.dat", ""}, {"1.0", "b.dat", ""}}));
  const std::string received =
      ManifestXml({{"2.0", "a.dat", ""}, {"2.0", "b.dat", ""}, {"2.0", "c.dat", ""}});
  folder.Write(L"ServerList.xml", received);

  ManifestMap set;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  ASSERT_EQ(3u, set.size());
  // Another program holds b.dat open without delete sharing, as a running program holds its DLL;
  // c.dat is new and held as well.
  testsupport::WriteFileBytes(folder.Path(L"c.dat"), "");
  HANDLE b = CreateFileW(folder.Path(L"b.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  HANDLE c = CreateFileW(folder.Path(L"c.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, b);
  ASSERT_NE(INVALID_HANDLE_VALUE, c);
  CapturedLog log;
  bool applied = ApplyUpdates(folder.context, "127.0.0.1", set, standIn.Port());
  CloseHandle(b);
  CloseHandle(c);
  DeleteFileW(folder.Path(L"c.dat").c_str());
  EXPECT_TRUE(applied);
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ("new a", folder.Read(L"a.dat"));
  EXPECT_EQ("old b", folder.Read(L"b.dat"));
  EXPECT_EQ("new b", folder.Read(L"temp\\b.dat"));
  EXPECT_EQ("new c", folder.Read(L"temp\\c.dat"));

  // The local manifest records what is installed: a.dat new, b.dat still old, c.dat not at all.
  ManifestMap local;
  ASSERT_TRUE(ReadManifest(folder.Ansi("UpdateList.xml"), local));
  ASSERT_EQ(2u, local.size());
  EXPECT_EQ("2.0", local["a.dat"].ver);
  EXPECT_EQ("1.0", local["b.dat"].ver);
  EXPECT_FALSE(folder.Exists(L"ServerList.xml"));

  // The next run asks for both again and installs them.
  folder.Write(L"ServerList.xml", received);
  ManifestMap again;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), again));
  ASSERT_EQ(2u, again.size());
  EXPECT_FALSE(again["b.dat"].isNew);
  EXPECT_TRUE(again["c.dat"].isNew);
  EXPECT_TRUE(ApplyUpdates(folder.context, "127.0.0.1", again, standIn.Port()));
  EXPECT_EQ("new b", folder.Read(L"b.dat"));
  EXPECT_EQ("new c", folder.Read(L"c.dat"));
  EXPECT_EQ(received, folder.Read(L"UpdateList.xml"));
}

// The self-update's moves, on a stand-in "Pelgrix.exe" that is not running.
struct SelfUpdateFolder : ProgramFolder {
  StandIn standIn;
  const std::string newUpdater = updatertest::ProgramImage("new updater");
  const uint32_t newSize = static_cast<uint32_t>(newUpdater.size());
  SelfUpdateFolder() {
    Write(L"Pelgrix.exe", "old updater");
    Write(L"UpdateList.xml", ManifestXml({{"1", "a.dat", ""}, {"2.0.0.1", "Pelgrix.exe", ""}}));
    standIn.Put(L"Pelgrix.exe", newUpdater);
  }
};

TEST(UpdaterSelfUpdate, PutsTheNewUpdaterInPlaceAndRecordsIt) {
  SelfUpdateFolder folder;
  ASSERT_TRUE(folder.standIn.Start());
  folder.Write(L"Pelgrix-2.exe", "left over");  // an earlier self-update's copy is replaced
  CapturedLog log;
  ASSERT_TRUE(SelfUpdate(folder.context, "127.0.0.1", {"Pelgrix.exe", "2.0.0.2", false, folder.newSize},
                         folder.standIn.Port()));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_TRUE(folder.newUpdater == folder.Read(L"Pelgrix.exe"));
  EXPECT_EQ("old updater", folder.Read(L"Pelgrix-2.exe"));
  EXPECT_FALSE(folder.Exists(L"temp\\Pelgrix.exe"));
  ManifestMap local;
  ASSERT_TRUE(ReadManifest(folder.Ansi("UpdateList.xml"), local));
  EXPECT_EQ("2.0.0.2", local["Pelgrix.exe"].ver);
  EXPECT_EQ("1", local["a.dat"].ver);
}

TEST(UpdaterSelfUpdate, FailuresBeforeTheMovesChangeNothing) {
  struct Case {
    const char* what;
    bool serve;
    uint32_t sizeOff;  // the entry's size: the file's plus this; 0 with nothing served
    const wchar_t* message;
  } cases[] = {{"not delivered", false, 0, L"下载更新程序失败"},
               {"wrong size", true, 1, L"更新程序大小不一致"}};
  for (const Case& c : cases) {
    SelfUpdateFolder folder;
    if (!c.serve) DeleteFileW(folder.standIn.folder.File(L"Pelgrix.exe").c_str());
    ASSERT_TRUE(folder.standIn.Start());
    CapturedLog log;
    const uint32_t size = c.serve ? folder.newSize + c.sizeOff : 0;
    EXPECT_FALSE(SelfUpdate(folder.context, "127.0.0.1", {"Pelgrix.exe", "2.0.0.2", false, size},
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
  EXPECT_TRUE(folder.newUpdater == folder.Read(L"temp\\Pelgrix.exe"));
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
  bool updated = SelfUpdate(folder.context, "127.0.0.1", {"Pelgrix.exe", "2.0.0.2", false, folder.newSize},
                            folder.standIn.Port());
  CloseHandle(staged);
  EXPECT_FALSE(updated);
  ASSERT_EQ(1u, log.Lines().size());
  EXPECT_TRUE(log.HasPrefix(L"自更，替换新文件失败，error=")) << log.Lines()[0];
  EXPECT_EQ("old updater", folder.Read(L"Pelgrix.exe"));
  EXPECT_FALSE(folder.Exists(L"Pelgrix-2.exe"));
  EXPECT_TRUE(folder.newUpdater == folder.Read(L"temp\\Pelgrix.exe"));
  EXPECT_EQ(localBefore, folder.Read(L"UpdateList.xml"));
}

std::string TestLibrary() {
  return testsupport::ReadFileBytes(std::wstring(ORV_TEST_BIN_DIR) + L"orv_test_engine.dll");
}

TEST(UpdaterStaging, WholeProgramImages) {
  ProgramFolder folder;
  const std::string library = TestLibrary();
  ASSERT_GT(library.size(), 4096u);
  struct Case {
    const char* what;
    std::string bytes;
    bool whole;
  } cases[] = {
      {"a library", library, true},
      {"a program", updatertest::ProgramImage(""), true},
      {"with data after its last section", library + "payload", true},
      {"cut in its last section", library.substr(0, library.size() - 1), false},
      {"cut in half", library.substr(0, library.size() / 2), false},
      {"headers only", library.substr(0, 1024), false},
      {"cut in its headers", library.substr(0, 200), false},
      {"text", "not a program", false},
      {"empty", "", false},
  };
  for (const Case& c : cases) {
    folder.Write(L"image.bin", c.bytes);
    EXPECT_EQ(c.whole, IsWholePeImage(folder.Path(L"image.bin"))) << c.what;
  }
  EXPECT_FALSE(IsWholePeImage(folder.Path(L"none.bin")));
  EXPECT_TRUE(IsProgramImageName("a.dll"));
  EXPECT_TRUE(IsProgramImageName("sub\\B.EXE"));
  EXPECT_FALSE(IsProgramImageName("a.dll.bak"));
  EXPECT_FALSE(IsProgramImageName("dll"));
}

// A manifest entry without a size accepts whatever arrived: a transfer cut short must still not
// install a program cut short.
TEST(UpdaterStaging, AProgramCutShortWithoutASizeStaysStagedAndIsFetchedAgain) {
  ProgramFolder folder;
  const std::string library = TestLibrary();
  StandIn cutShort;
  cutShort.Put(L"a.dll", library);
  cutShort.Put(L"b.dat", "new b");
  cashier::ServerOptions options;
  options.fault = Fault::CloseMidFile;  // an orderly close halfway looks like the end
  options.faultName = "a.dll";
  ASSERT_TRUE(cutShort.Start(options));
  folder.Write(L"a.dll", "old a");
  folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dll", ""}, {"1", "b.dat", ""}}));
  const std::string received = ManifestXml({{"2", "a.dll", ""}, {"2", "b.dat", ""}});
  folder.Write(L"ServerList.xml", received);
  ManifestMap set;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), set));
  {
    CapturedLog log;
    EXPECT_TRUE(ApplyUpdates(folder.context, "127.0.0.1", set, cutShort.Port()));
    EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"更新文件不完整，未安装: ") + "a.dll"}, log.Lines());
  }
  EXPECT_EQ("old a", folder.Read(L"a.dll"));
  EXPECT_EQ(library.size() / 2, folder.Read(L"temp\\a.dll").size());
  EXPECT_EQ("new b", folder.Read(L"b.dat"));
  ManifestMap local;
  ASSERT_TRUE(ReadManifest(folder.Ansi("UpdateList.xml"), local));
  EXPECT_EQ("1", local["a.dll"].ver);
  EXPECT_EQ("2", local["b.dat"].ver);

  // The next run fetches it again, whole this time.
  StandIn whole;
  whole.Put(L"a.dll", library);
  ASSERT_TRUE(whole.Start());
  folder.Write(L"ServerList.xml", received);
  ManifestMap again;
  ASSERT_TRUE(BuildUpdateSet(folder.Ansi("ServerList.xml"), folder.Ansi("UpdateList.xml"), again));
  ASSERT_EQ(1u, again.count("a.dll"));
  EXPECT_EQ(1u, again.size());
  EXPECT_TRUE(ApplyUpdates(folder.context, "127.0.0.1", again, whole.Port()));
  EXPECT_TRUE(library == folder.Read(L"a.dll"));
  EXPECT_EQ(received, folder.Read(L"UpdateList.xml"));
}

// Set when the staged files have all arrived: their moves are tried next.
HANDLE g_fetched = nullptr;
bool SignalFetched(UpdateStep step, const std::string&) {
  if (step == UpdateStep::FileFetched) SetEvent(g_fetched);
  return false;
}

// A virus scanner holds a file open for a moment: the move is tried again until it is free.
TEST(UpdaterStaging, AFileHeldOpenForAMomentIsInstalledWhenReleased) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"a.dat", "new a");
  ASSERT_TRUE(standIn.Start());
  folder.Write(L"a.dat", "old a");
  const std::string received = ManifestXml({{"2", "a.dat", ""}});
  folder.Write(L"ServerList.xml", received);
  HANDLE held = CreateFileW(folder.Path(L"a.dat").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  // Released 400 ms after the file has arrived, however long its fetch took: its first move
  // has failed by then, and the retries go on for a second.
  UniqueHandle fetched(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(fetched.Valid());
  g_fetched = fetched.Get();
  folder.context.faultHook = &SignalFetched;
  std::thread release([held, &fetched] {
    WaitForSingleObject(fetched.Get(), 60000);
    Sleep(400);
    CloseHandle(held);
  });
  CapturedLog log;
  bool applied = ApplyUpdates(folder.context, "127.0.0.1", SetOf({{"a.dat", "2", false, 0}}), standIn.Port());
  release.join();
  EXPECT_TRUE(applied);
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ("new a", folder.Read(L"a.dat"));
  EXPECT_FALSE(folder.Exists(L"temp\\a.dat"));
  EXPECT_EQ(received, folder.Read(L"UpdateList.xml"));
}

// A full disk: writes or the close of a staged file fail. The fetch fails, nothing is installed
// and the local manifest stays.
UpdateStep g_failingStep = UpdateStep::StagedWrite;
bool FailStep(UpdateStep step, const std::string&) { return step == g_failingStep; }

TEST(UpdaterStaging, AStagedFileWhoseWritesFailIsNotInstalled) {
  for (UpdateStep failing : {UpdateStep::StagedWrite, UpdateStep::StagedClose}) {
    const bool writes = failing == UpdateStep::StagedWrite;
    SCOPED_TRACE(writes ? "writes" : "close");
    ProgramFolder folder;
    StandIn standIn;
    standIn.Put(L"a.dat", Pattern(3000));
    ASSERT_TRUE(standIn.Start());
    folder.Write(L"a.dat", "old a");
    const std::string local = ManifestXml({{"1", "a.dat", ""}});
    folder.Write(L"UpdateList.xml", local);
    folder.Write(L"ServerList.xml", ManifestXml({{"2", "a.dat", ""}}));
    g_failingStep = failing;
    folder.context.faultHook = &FailStep;
    CapturedLog log;
    EXPECT_FALSE(FetchFile(folder.context, "127.0.0.1", "a.dat", standIn.Port()));
    EXPECT_FALSE(
        ApplyUpdates(folder.context, "127.0.0.1", SetOf({{"a.dat", "2", false, 0}}), standIn.Port()));
    EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"socket 更新文件失败。")}, log.Lines());
    EXPECT_EQ("old a", folder.Read(L"a.dat"));
    EXPECT_EQ(local, folder.Read(L"UpdateList.xml"));
  }
}

}  // namespace
