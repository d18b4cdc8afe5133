// Pelgrix.exe itself, run in a scratch program folder beside the stand-in client "Orvanta.exe".
// Each run waits its 2 s start-up pause.
#include <gtest/gtest.h>

#include "UpdaterTestSupport.h"

namespace {

using updatertest::ManifestXml;
using updatertest::Pattern;
using updatertest::ProgramFolder;
using updatertest::StandIn;

struct InstalledUpdater : ProgramFolder {
  InstalledUpdater() : ProgramFolder(false) {
    installed =
        testsupport::CopyDistFile(L"Pelgrix.exe", dir.Path()) && updatertest::InstallFakeClient(*this);
  }
  testsupport::ProcessResult Run(const std::wstring& arguments) {
    return testsupport::RunProcess(Path(L"Pelgrix.exe"), arguments, dir.Path(), 30000);
  }
  std::string Log() const { return testsupport::ReadFileBytes(testsupport::TodayLogPath(dir.Path())); }
  bool Logged(const wchar_t* message) const {
    return Log().find(":" + updatertest::Gbk(message)) != std::string::npos;
  }
  // After the updater ended: every client start is recorded once the processes that it
  // started have ended too.
  std::vector<std::string> ClientStartsSettled() {
    EXPECT_TRUE(children.WaitAllEnded(15000)) << "a process that the updater started still runs";
    return updatertest::ClientStarts(*this);
  }
  bool installed = false;
  testsupport::ChildProcesses children;
};

const std::vector<std::string> kStartedOnce{"start "};

TEST(UpdaterProgram, ChecksItsArguments) {
  struct Case {
    const wchar_t* arguments;
    const wchar_t* message;
    bool clientStarted;
  } cases[] = {
      {L"", L"启动参数数量错误.", false},
      {L"start 127.0.0.1", L"启动参数数量错误.", false},
      {L"begin 127.0.0.1 9000", L"启动参数不正确.", true},
  };
  for (const Case& c : cases) {
    InstalledUpdater folder;
    ASSERT_TRUE(folder.installed);
    auto result = folder.Run(c.arguments);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_TRUE(folder.Logged(c.message)) << folder.Log();
    EXPECT_EQ(c.clientStarted ? kStartedOnce : std::vector<std::string>{}, folder.ClientStartsSettled())
        << testsupport::ReadFileBytes(folder.Path(L"client-started.txt"));
  }
}

TEST(UpdaterProgram, ASecondUpdaterEndsWithoutStartingTheClient) {
  InstalledUpdater folder;
  ASSERT_TRUE(folder.installed);
  // This process holds the running updater's mutex.
  HANDLE running = CreateMutexW(nullptr, FALSE, L"tvClient_AutoUpdate");
  ASSERT_NE(nullptr, running);
  auto result = folder.Run(L"start 127.0.0.1 9000");
  CloseHandle(running);
  EXPECT_FALSE(result.timedOut);
  EXPECT_TRUE(folder.Logged(L"Update程序已开启."));
  EXPECT_TRUE(folder.ClientStartsSettled().empty());
}

TEST(UpdaterProgram, UpperCaseStartIsAcceptedAndAnUpToDateRunStartsTheClient) {
  InstalledUpdater folder;
  ASSERT_TRUE(folder.installed);
  folder.Write(L"UpdateList.xml", ManifestXml({{"1.0", "a.dat", ""}}));
  StandIn standIn;
  standIn.Put(L"UpdateList.xml", ManifestXml({{"1.0", "a.dat", ""}}));
  ASSERT_TRUE(standIn.Start());
  auto result = folder.Run(L"START 127.0.0.1 " + std::to_wstring(standIn.Port()));
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_TRUE(folder.Logged(L"解析出错或没有要更新的文件."));
  EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled());
  EXPECT_FALSE(testsupport::DirExists(folder.Path(L"temp")));
  EXPECT_EQ(ManifestXml({{"1.0", "a.dat", ""}}), folder.Read(L"ServerList.xml"));
}

TEST(UpdaterProgram, ASuccessfulUpdateWritesNoLog) {
  InstalledUpdater folder;
  ASSERT_TRUE(folder.installed);
  folder.Write(L"UpdateList.xml", ManifestXml({{"1.0", "a.dat", ""}, {"1.0", "b.dat", ""}}));
  folder.Write(L"a.dat", "old a");
  StandIn standIn;
  const std::string manifest =
      ManifestXml({{"1.1", "a.dat", "5"}, {"1.0", "b.dat", ""}, {"1.0", "c.dat", "3000"}});
  standIn.Put(L"UpdateList.xml", manifest);
  standIn.Put(L"a.dat", "new a");
  standIn.Put(L"c.dat", Pattern(3000));
  ASSERT_TRUE(standIn.Start());
  auto result = folder.Run(L"start 127.0.0.1 " + std::to_wstring(standIn.Port()));
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(0u, result.exitCode);
  EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled());
  EXPECT_EQ("new a", folder.Read(L"a.dat"));
  EXPECT_EQ(Pattern(3000), folder.Read(L"c.dat"));
  EXPECT_EQ(manifest, folder.Read(L"UpdateList.xml"));
  EXPECT_FALSE(folder.Exists(L"ServerList.xml"));
  EXPECT_FALSE(testsupport::DirExists(folder.Path(L"log"))) << folder.Log();
  EXPECT_EQ((std::vector<std::string>{"UPDATE,UpdateList.xml", "UPDATE,a.dat", "UPDATE,c.dat"}),
            standIn.server.Requests());
}

TEST(UpdaterProgram, ReplacesItselfRestartsAndInstallsTheRest) {
  InstalledUpdater folder;
  ASSERT_TRUE(folder.installed);
  const std::string oldUpdater = folder.Read(L"Pelgrix.exe");
  const std::string newUpdater =
      testsupport::ReadFileBytes(std::wstring(ORV_TEST_BIN_DIR) + L"next/Pelgrix.exe");
  ASSERT_FALSE(newUpdater.empty());
  ASSERT_NE(oldUpdater, newUpdater);
  folder.Write(L"UpdateList.xml", ManifestXml({{"1.0", "a.dat", ""}, {"2.0.0.1", "Pelgrix.exe", ""}}));
  StandIn standIn;
  const std::string manifest = ManifestXml({{"1.1", "a.dat", ""},
                                            {"2.0.0.2", "Pelgrix.exe", std::to_string(newUpdater.size())},
                                            {"1.0", "b.dat", ""}});
  standIn.Put(L"UpdateList.xml", manifest);
  standIn.Put(L"Pelgrix.exe", newUpdater);
  standIn.Put(L"a.dat", "new a");
  standIn.Put(L"b.dat", "new b");
  ASSERT_TRUE(standIn.Start());

  // Upper-case START: the restart hands the arguments on as received.
  auto result = folder.Run(L"START 127.0.0.1 " + std::to_wstring(standIn.Port()));
  EXPECT_FALSE(result.timedOut);
  ASSERT_TRUE(updatertest::WaitForClientStarts(folder, 1, 30000));
  EXPECT_TRUE(testsupport::WaitFor([] { return !updatertest::UpdaterRunning(); }, 10000));

  EXPECT_EQ((std::vector<std::string>{"UPDATE,UpdateList.xml", "UPDATE,Pelgrix.exe", "UPDATE,UpdateList.xml",
                                      "UPDATE,a.dat", "UPDATE,b.dat"}),
            standIn.server.Requests());
  EXPECT_TRUE(newUpdater == folder.Read(L"Pelgrix.exe"));
  // The old copy was left as "Pelgrix-2.exe"; the client removed it when it started.
  EXPECT_FALSE(folder.Exists(L"Pelgrix-2.exe"));
  EXPECT_EQ("new a", folder.Read(L"a.dat"));
  EXPECT_EQ("new b", folder.Read(L"b.dat"));
  EXPECT_EQ(manifest, folder.Read(L"UpdateList.xml"));
  EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled());
  EXPECT_FALSE(testsupport::DirExists(folder.Path(L"log"))) << folder.Log();
}

}  // namespace
