// The updater's run in-process, with the stand-in client "Orvanta.exe" in a scratch program
// folder and shorter waits than the program's.
#include <gtest/gtest.h>

#include "Sha256.h"
#include "UpdaterFlow.h"
#include "UpdaterTestSupport.h"

namespace {

using cashier::Fault;
using updatertest::CapturedLog;
using updatertest::ManifestXml;
using updatertest::ProgramFolder;
using updatertest::StandIn;

struct FlowFolder : ProgramFolder {
  FlowFolder() : ProgramFolder(false) { updatertest::InstallFakeClient(*this); }
  void Run(std::vector<std::wstring> arguments) {
    arguments.insert(arguments.begin(), Path(L"Pelgrix.exe"));
    std::vector<wchar_t*> argv;
    for (std::wstring& argument : arguments) argv.push_back(&argument[0]);
    argv.push_back(nullptr);
    RunUpdater(static_cast<int>(arguments.size()), argv.data(), context);
  }
  void Run(const StandIn& standIn) { Run({L"start", L"127.0.0.1", std::to_wstring(standIn.Port())}); }
  // The client's starts, after giving a start that is on its way the time to arrive.
  std::vector<std::string> ClientStartsSettled() {
    updatertest::WaitForClientStarts(*this, 1, 3000);
    return updatertest::ClientStarts(*this);
  }
};

const std::vector<std::string> kStartedOnce{"start "};

TEST(UpdaterFlow, ManifestWaitRunsOutClosesTheWorkersConnection) {
  FlowFolder folder;
  folder.context.timings.manifestWaitMs = 1000;
  StandIn standIn;
  cashier::ServerOptions options;
  options.fault = Fault::NeverAnswer;
  ASSERT_TRUE(standIn.Start(options));
  CapturedLog log;
  ULONGLONG start = GetTickCount64();
  folder.Run(standIn);
  ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_GE(elapsed, 950u);
  EXPECT_LT(elapsed, 4000u);
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"连接收银端超时，程序退出。")}, log.Lines());
  EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled());
  // The worker was stopped by closing its socket (a killed thread would have left it open).
  EXPECT_TRUE(testsupport::WaitFor([&] { return standIn.server.ClientCloses() == 1; }, 3000));
}

TEST(UpdaterFlow, EndsAndStartsTheClientWhenThereIsNothingToInstall) {
  struct Case {
    const char* what;
    const char* serverManifest;  // nullptr: not delivered
    const wchar_t* message;
  } cases[] = {
      {"manifest not delivered", nullptr, L"获取更新文件出错."},
      {"all up to date", "<AutoUpdater><Files><File Ver='1' Name='a.dat'/></Files></AutoUpdater>",
       L"解析出错或没有要更新的文件."},
      {"no file entry", "<AutoUpdater><Files/></AutoUpdater>", L"解析出错或没有要更新的文件."},
      {"only a name outside the program folder is newer",
       "<AutoUpdater><Files><File Ver='1' Name='a.dat'/><File Ver='1' "
       "Name='..\\Orvanta.exe'/></Files></AutoUpdater>",
       L"解析出错或没有要更新的文件."},
  };
  for (const Case& c : cases) {
    FlowFolder folder;
    folder.Write(L"UpdateList.xml", ManifestXml({{"1", "a.dat", ""}}));
    StandIn standIn;
    if (c.serverManifest) standIn.Put(L"UpdateList.xml", c.serverManifest);
    standIn.Put(L"a.dat", "new a");
    ASSERT_TRUE(standIn.Start());
    CapturedLog log;
    folder.Run(standIn);
    ASSERT_FALSE(log.Lines().empty()) << c.what;
    EXPECT_EQ(updatertest::Gbk(c.message), log.Lines().back()) << c.what;
    EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled()) << c.what;
    EXPECT_FALSE(folder.Exists(L"temp")) << c.what;  // the staging folder is not even created
    EXPECT_EQ(1u, standIn.server.Requests().size()) << c.what;
    EXPECT_EQ(ManifestXml({{"1", "a.dat", ""}}), folder.Read(L"UpdateList.xml")) << c.what;
  }
}

TEST(UpdaterFlow, AnUpdateThatFailsInTheMiddleStillStartsTheClient) {
  FlowFolder folder;
  StandIn standIn;
  standIn.Put(L"UpdateList.xml", ManifestXml({{"1", "a.dat", ""}, {"1", "b.dat", ""}}));
  standIn.Put(L"a.dat", "a");  // b.dat is not delivered
  ASSERT_TRUE(standIn.Start());
  CapturedLog log;
  folder.Run(standIn);
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"socket 更新文件失败。")}, log.Lines());
  EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled());
  EXPECT_FALSE(folder.Exists(L"a.dat"));
  EXPECT_FALSE(folder.Exists(L"UpdateList.xml"));
}

TEST(UpdaterFlow, ABadPortIsABadArgument) {
  for (const wchar_t* port : {L"x9000", L"", L"70000", L"-1", L"99999999999"}) {
    FlowFolder folder;
    CapturedLog log;
    folder.Run({L"start", L"127.0.0.1", port});
    EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"启动参数不正确.")}, log.Lines()) << port;
    EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled()) << port;
  }
}

// A self-update whose version cannot be recorded (a read-only or full disk) would make every
// restarted updater replace itself again and never start the client: the run starts the
// client instead of the new updater.
TEST(UpdaterFlow, ASelfUpdateThatCannotRecordItsVersionStartsTheClient) {
  FlowFolder folder;
  folder.Write(L"Pelgrix.exe", "old updater");
  const std::string local = ManifestXml({{"2.0.0.1", "Pelgrix.exe", ""}});
  folder.Write(L"UpdateList.xml", local);
  ASSERT_TRUE(SetFileAttributesW(folder.Path(L"UpdateList.xml").c_str(), FILE_ATTRIBUTE_READONLY));
  StandIn standIn;
  standIn.Put(L"UpdateList.xml", ManifestXml({{"2.0.0.2", "Pelgrix.exe", ""}}));
  // The stand-in client as the new updater: a restart would show as a client start.
  standIn.Put(L"Pelgrix.exe", updatertest::ProgramImage("new updater"));
  ASSERT_TRUE(standIn.Start());
  CapturedLog log;
  folder.Run(standIn);
  SetFileAttributesW(folder.Path(L"UpdateList.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"写入更新清单出错.")}, log.Lines());
  EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled());
  EXPECT_EQ(local, folder.Read(L"UpdateList.xml"));
}

// Without its program folder (a path too long for the fixed buffers) nothing is done.
TEST(UpdaterFlow, NoProgramFolderIsReportedAndEndsTheRun) {
  FlowFolder folder;
  folder.context.programDir.clear();
  CapturedLog log;
  testsupport::ChildProcesses children;
  ASSERT_TRUE(children.Watching());
  folder.Run({L"start", L"127.0.0.1", L"9000"});
  EXPECT_EQ(std::vector<std::string>{updatertest::Gbk(L"程序所在文件夹的路径过长，程序退出.")}, log.Lines());
  EXPECT_EQ(std::vector<std::wstring>{L"程序所在文件夹的路径过长，程序退出."}, log.DebuggerLines());
  // The run has returned: a client that it started would be a process of this program's.
  EXPECT_EQ(0u, children.Started());
  EXPECT_TRUE(updatertest::ClientStarts(folder).empty());
}

}  // namespace

namespace {

using updatertest::Pattern;
using updatertest::SignWithTestKey;

// The version of the first file, one digit later: still a well-formed manifest.
std::string OneByteChanged(std::string manifest) {
  manifest[manifest.find("Ver=\"2\"") + 5] = '3';
  return manifest;
}

// With the publisher's key built in, a manifest counts only with its signature over its exact
// bytes, and then every file with its hash.
TEST(UpdaterFlow, WithAKeyOnlyASignedManifestIsApplied) {
  const std::string newA = "new a";
  const std::string newB = Pattern(3000);
  const std::string manifest =
      ManifestXml({{"2", "a.dat", "5", Sha256Hex(newA)}, {"2", "b.dat", "3000", Sha256Hex(newB)}});
  const std::string withoutHash = ManifestXml({{"2", "a.dat", "5", Sha256Hex(newA)}, {"2", "b.dat", "3000"}});
  const std::string wrongBytes =
      ManifestXml({{"2", "a.dat", "5", Sha256Hex("NEW A")}, {"2", "b.dat", "3000", Sha256Hex(newB)}});
  struct Case {
    const char* what;
    std::string manifest;
    std::string signature;  // empty: not served
    bool applied;           // the manifest was taken at all
    bool aInstalled;
    bool bInstalled;
    const wchar_t* message;
    std::string suffix;
  } cases[] = {
      {"signed", manifest, SignWithTestKey(manifest), true, true, true, nullptr, ""},
      {"a manifest changed by one byte after it was signed", OneByteChanged(manifest),
       SignWithTestKey(manifest), false, false, false, L"更新清单签名无效，不予更新.", ""},
      {"a signature by another key", manifest, updatertest::SignWithOtherKey(manifest), false, false, false,
       L"更新清单签名无效，不予更新.", ""},
      {"no signature", manifest, "", false, false, false, L"更新清单签名无效，不予更新.", ""},
      {"a signature that is no signature", manifest, std::string(64, 'x'), false, false, false,
       L"更新清单签名无效，不予更新.", ""},
      {"an entry without its hash is left out", withoutHash, SignWithTestKey(withoutHash), true, true, false,
       L"更新清单中的文件没有校验值，已跳过: ", "b.dat"},
      {"a file whose bytes differ from the signed hash", wrongBytes, SignWithTestKey(wrongBytes), true, false,
       true, L"更新文件校验值不符，未安装: ", "a.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FlowFolder folder;
    folder.context.updatePublicKey = updatertest::TestUpdatePublicKey();
    folder.Write(L"a.dat", "old a");
    folder.Write(L"b.dat", "old b");
    const std::string local = ManifestXml({{"1", "a.dat", ""}, {"1", "b.dat", ""}});
    folder.Write(L"UpdateList.xml", local);
    StandIn standIn;
    standIn.Put(L"UpdateList.xml", c.manifest);
    if (!c.signature.empty()) standIn.Put(L"UpdateList.xml.sig", c.signature);
    standIn.Put(L"a.dat", newA);
    standIn.Put(L"b.dat", newB);
    ASSERT_TRUE(standIn.Start());
    CapturedLog log;
    folder.Run(standIn);
    EXPECT_EQ(kStartedOnce, folder.ClientStartsSettled());
    EXPECT_EQ(c.aInstalled ? newA : "old a", folder.Read(L"a.dat"));
    EXPECT_EQ(c.bInstalled ? newB : "old b", folder.Read(L"b.dat"));
    if (c.message) {
      EXPECT_TRUE(log.Has(c.message, c.suffix));
    }
    const std::vector<std::string> requests = standIn.server.Requests();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ("UPDATE,UpdateList.xml.sig", requests[1]);
    if (!c.applied) {
      EXPECT_EQ(2u, requests.size());  // no file is even asked for
      EXPECT_EQ(local, folder.Read(L"UpdateList.xml"));
    }
  }
}

}  // namespace
