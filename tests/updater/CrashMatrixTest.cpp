// The update cut off at every step, as a venue PC switched off hard in the middle of it: the
// test copy of Pelgrix.exe ends itself abruptly at the step, then the PC boots (the stand-in
// client starts as the client does) and the updater runs again against the same cashier
// stand-in. Afterwards the folder holds the new version of every file and one updater, and the
// client has been started.
#include <gtest/gtest.h>

#include "UpdaterTestSupport.h"

namespace {

using updatertest::ManifestXml;
using updatertest::Pattern;
using updatertest::ProgramFolder;
using updatertest::ProgramImage;
using updatertest::StandIn;

using updatertest::ScopedVariable;
using updatertest::TestBinary;

// One program folder as installed, and a stand-in serving the next versions of its files.
struct CrashFolder : ProgramFolder {
  StandIn standIn;
  std::string serverManifest;
  std::string oldUpdater = TestBinary(L"faults/Pelgrix.exe");
  std::string newUpdater = TestBinary(L"next/Pelgrix.exe");
  std::string expectedUpdater;
  std::string newClient = ProgramImage("client 4.0.0.6");
  std::string newLibrary = TestBinary(L"orv_test_engine.dll") + "library 1.1";
  std::string newData = Pattern(5000);

  explicit CrashFolder(bool selfUpdate) : ProgramFolder(false) {
    Write(L"Pelgrix.exe", oldUpdater);
    expectedUpdater = selfUpdate ? newUpdater : oldUpdater;
    Write(L"Orvanta.exe", ProgramImage("client 4.0.0.5"));
    Write(L"a.dll", TestBinary(L"orv_test_engine.dll") + "library 1.0");
    Write(L"b.dat", "data 1.0");
    Write(L"UpdateList.xml", ManifestXml({{"4.0.0.5", "Orvanta.exe", ""},
                                          {"2.0.0.1", "Pelgrix.exe", ""},
                                          {"1.0", "a.dll", ""},
                                          {"1.0", "b.dat", ""}}));
    serverManifest = ManifestXml({{"4.0.0.6", "Orvanta.exe", ""},
                                  {selfUpdate ? "2.0.0.2" : "2.0.0.1", "Pelgrix.exe", ""},
                                  {"1.1", "a.dll", ""},
                                  {"1.1", "b.dat", std::to_string(newData.size())}});
    standIn.Put(L"UpdateList.xml", serverManifest);
    standIn.Put(L"Pelgrix.exe", newUpdater);
    standIn.Put(L"Orvanta.exe", newClient);
    standIn.Put(L"a.dll", newLibrary);
    standIn.Put(L"b.dat", newData);
  }
  std::wstring Arguments() const { return L"start 127.0.0.1 " + std::to_wstring(standIn.Port()); }
  testsupport::ProcessResult RunUpdater() {
    return testsupport::RunProcess(Path(L"Pelgrix.exe"), Arguments(), dir.Path(), 30000);
  }
  // The updater and any updater it restarted have ended.
  bool UpdatersEnded() {
    return testsupport::WaitFor([] { return !updatertest::UpdaterRunning(); }, 20000);
  }
};

TEST(UpdaterCrash, EveryStepCutOffEndsInAFolderThatUpdatesOnTheNextRun) {
  struct Step {
    const char* name;
    bool selfUpdate;
    const wchar_t* fault;  // step and how many times it is reached before the cut
    bool onlyOldCopyLeft;  // the cut leaves the updater as "Pelgrix-2.exe" only
  } steps[] = {
      {"self-update: new updater fetched", true, L"FileFetched:1", false},
      {"self-update: old updater renamed, new one not in place", true, L"UpdaterMovedAside:1", true},
      {"self-update: new updater in place, version not recorded", true, L"UpdaterInPlace:1", false},
      {"self-update: record of the trial being written", true, L"ManifestWriting:1", false},
      {"self-update: local manifest being written", true, L"ManifestWriting:2", false},
      {"self-update: about to start the new updater and wait for it", true, L"HandoverWaiting:1", false},
      {"self-update: the restarted updater after its first move", true, L"FileMoved:1", false},
      {"first file fetched", false, L"FileFetched:1", false},
      {"second file fetched", false, L"FileFetched:2", false},
      {"last file fetched", false, L"FileFetched:3", false},
      {"first file moved", false, L"FileMoved:1", false},
      {"second file moved", false, L"FileMoved:2", false},
      {"last file moved", false, L"FileMoved:3", false},
      {"local manifest being written", false, L"ManifestWriting:1", false},
  };
  ScopedVariable noPause(L"ORV_UPDATER_PAUSE_MS", L"0");
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    CrashFolder folder(step.selfUpdate);
    ASSERT_TRUE(folder.standIn.Start());
    {
      ScopedVariable fault(L"ORV_UPDATER_FAULT", step.fault);
      auto cut = folder.RunUpdater();
      EXPECT_FALSE(cut.timedOut);
      // The cut may come in the updater that the first one restarted.
      EXPECT_TRUE(testsupport::WaitFor([&] { return folder.Exists(L"fault-hit.txt"); }, 20000));
      ASSERT_TRUE(folder.UpdatersEnded());
    }
    EXPECT_TRUE(updatertest::ClientStarts(folder).empty());
    EXPECT_EQ(step.onlyOldCopyLeft, !folder.Exists(L"Pelgrix.exe"));

    // The next boot: the client starts as at every PC start.
    auto boot = testsupport::RunProcess(folder.Path(L"Orvanta.exe"), L"", folder.dir.Path(), 10000);
    EXPECT_FALSE(boot.timedOut);
    ASSERT_TRUE(updatertest::WaitForClientStarts(folder, 1, 5000));
    ASSERT_TRUE(folder.Exists(L"Pelgrix.exe"));
    EXPECT_FALSE(folder.Exists(L"Pelgrix-2.exe"));

    // The next run finishes the update and starts the client.
    auto next = folder.RunUpdater();
    EXPECT_FALSE(next.timedOut);
    EXPECT_EQ(0u, next.exitCode);
    ASSERT_TRUE(updatertest::WaitForClientStarts(folder, 2, 30000));
    ASSERT_TRUE(folder.UpdatersEnded());
    EXPECT_EQ((std::vector<std::string>{"", "start "}), updatertest::ClientStarts(folder));
    EXPECT_TRUE(folder.expectedUpdater == folder.Read(L"Pelgrix.exe"));
    EXPECT_TRUE(folder.newClient == folder.Read(L"Orvanta.exe"));
    EXPECT_TRUE(folder.newLibrary == folder.Read(L"a.dll"));
    EXPECT_TRUE(folder.newData == folder.Read(L"b.dat"));
    EXPECT_EQ(folder.serverManifest, folder.Read(L"UpdateList.xml"));
    // One updater: the client removed the old copy when the updater started it.
    EXPECT_FALSE(folder.Exists(L"Pelgrix-2.exe"));
  }
}

// The fault hook exists in the test copies only.
TEST(UpdaterCrash, TheShippedUpdaterHasNoFaultHook) {
  const std::string marker = "ORV_UPDATER_FAULT";
  const std::string shipped = testsupport::ReadFileBytes(std::wstring(ORV_TEST_DIST_DIR) + L"Pelgrix.exe");
  const std::string testCopy = TestBinary(L"faults/Pelgrix.exe");
  ASSERT_FALSE(shipped.empty());
  EXPECT_NE(std::string::npos, testCopy.find(marker));
  EXPECT_EQ(std::string::npos, shipped.find(marker));
}

}  // namespace
