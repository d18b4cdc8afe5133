// The updater program against cashier servers that are broken or hostile, as venues meet them:
// one that trickles, one that floods, an endless manifest, names that are no plain file below
// the program folder, updater versions that never compare equal, a new updater that cannot
// start, a first manifest that cannot be written, a held "Pelgrix-2.exe", a run past its
// deadline. Each row checks what a venue cares about: the client started once, the programs
// working (old, or new and whole), the other files updated, nothing over its bound left on the
// disk, no second self-update. The programs are the test copies of Pelgrix.exe (the shipped code
// with limits shortened through the environment) beside the stand-in client.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "Manifest.h"
#include "UpdaterTestSupport.h"

namespace {

using cashier::Fault;
using updatertest::ManifestXml;
using updatertest::Pattern;
using updatertest::ProgramFolder;
using updatertest::ScopedVariable;
using updatertest::StandIn;
using updatertest::TestBinary;

const std::vector<std::string> kStartedOnce{"start "};

// A program folder as installed: the updater 2.0.0.1, the client 4.0.0.5 and one data file.
struct VenuePc : ProgramFolder {
  StandIn standIn;
  cashier::ServerOptions options;
  std::string oldUpdater = TestBinary(L"faults/Pelgrix.exe");
  std::string newUpdater = TestBinary(L"next/Pelgrix.exe");
  std::string client;
  std::vector<std::unique_ptr<ScopedVariable>> settings;

  VenuePc() : ProgramFolder(false) {
    Write(L"Pelgrix.exe", oldUpdater);
    updatertest::InstallFakeClient(*this);
    client = Read(L"Orvanta.exe");
    Write(L"b.dat", "data 1.0");
    Write(
        L"UpdateList.xml",
        ManifestXml({{"4.0.0.5", "Orvanta.exe", ""}, {"2.0.0.1", "Pelgrix.exe", ""}, {"1.0", "b.dat", ""}}));
    Set(L"ORV_UPDATER_PAUSE_MS", L"0");
  }
  void Set(const wchar_t* name, const std::wstring& value) {
    settings.push_back(std::make_unique<ScopedVariable>(name, value));
  }
  void Serve(const std::string& manifest) { standIn.Put(L"UpdateList.xml", manifest); }
  std::string Log() const { return testsupport::ReadFileBytes(testsupport::TodayLogPath(dir.Path())); }
  bool Logged(const wchar_t* message, const std::string& suffix = std::string()) const {
    return Log().find(":" + updatertest::Gbk(message) + suffix) != std::string::npos;
  }
  // One run as the client starts it; true when it ended with the client started, in time.
  bool Run(size_t clientStartsBefore = 0) {
    if (!standIn.server.Port() && !standIn.Start(options)) return false;
    auto run = testsupport::RunProcess(
        Path(L"Pelgrix.exe"), L"start 127.0.0.1 " + std::to_wstring(standIn.Port()), dir.Path(), 120000);
    if (run.timedOut) return false;
    // A self-update's restarted updater starts the client after the first one ended.
    if (!updatertest::WaitForClientStarts(*this, clientStartsBefore + 1, 60000)) return false;
    return testsupport::WaitFor([] { return !updatertest::UpdaterRunning(); }, 30000);
  }
  size_t Requests(const std::string& request) const {
    size_t count = 0;
    for (const std::string& r : standIn.server.Requests()) count += r == request ? 1 : 0;
    return count;
  }
  // The largest file below "temp\", and any file at the top of the folder that is not expected.
  uint64_t LargestStagedFile() const { return LargestBelow(Path(L"temp\\")); }
  static uint64_t LargestBelow(const std::wstring& folder) {
    uint64_t largest = 0;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        largest = (std::max)(largest, LargestBelow(folder + name + L"\\"));
      } else {
        largest =
            (std::max)(largest, (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return largest;
  }
  std::vector<std::wstring> TopLevel() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(Path(L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }
};

// What every run must leave, whatever the server sent.
void ExpectAWorkingPc(const VenuePc& pc, size_t clientStarts = 1, size_t updaterFetches = 1) {
  EXPECT_EQ(std::vector<std::string>(clientStarts, "start "), updatertest::ClientStarts(pc));
  EXPECT_EQ(pc.client, pc.Read(L"Orvanta.exe"));
  const std::string updater = pc.Read(L"Pelgrix.exe");
  EXPECT_TRUE(updater == pc.oldUpdater || updater == pc.newUpdater);
  EXPECT_FALSE(pc.Exists(L"Pelgrix.trial"));
  // An old updater may be left in "temp\" (1.4 MB); nothing near what the servers sent.
  EXPECT_LE(pc.LargestStagedFile(), 4u << 20);
  EXPECT_LE(pc.Requests("UPDATE,Pelgrix.exe"), updaterFetches);
}

struct HostileCase {
  const char* what;
  std::function<void(VenuePc&)> arrange;
  std::function<void(const VenuePc&)> verify;
};

TEST(UpdaterAgainstHostileServers, EveryRunEndsWithTheClientStartedAndTheRestUpdated) {
  const std::string serverFiles =
      ManifestXml({{"4.0.0.5", "Orvanta.exe", ""}, {"2.0.0.1", "Pelgrix.exe", ""}, {"1.1", "b.dat", ""}});
  const HostileCase cases[] = {
      {"a server that trickles a file",
       [&](VenuePc& pc) {
         pc.Serve(serverFiles);
         pc.standIn.Put(L"b.dat", Pattern(5000));
         pc.options.fault = Fault::SendSlowly;
         pc.options.faultName = "b.dat";
         pc.options.slowChunk = 1;
         pc.options.slowDelayMs = 300;
         // A window long enough for the small manifest to come whole even on a busy machine.
         pc.Set(L"ORV_UPDATER_PROGRESS_MS", L"3000");
       },
       [](const VenuePc& pc) {
         EXPECT_EQ("data 1.0", pc.Read(L"b.dat"));
         EXPECT_FALSE(pc.Exists(L"temp\\b.dat"));
         EXPECT_TRUE(pc.Logged(L"收银端发送过慢，已放弃: ", "b.dat")) << pc.Log();
       }},
      {"a server that floods a file past its declared size",
       [&](VenuePc& pc) {
         pc.Serve(ManifestXml({{"1.1", "b.dat", "3"}}));
         pc.options.fault = Fault::Flood;
         pc.options.faultName = "b.dat";
       },
       [](const VenuePc& pc) {
         EXPECT_EQ("data 1.0", pc.Read(L"b.dat"));
         EXPECT_FALSE(pc.Exists(L"temp\\b.dat"));
         EXPECT_TRUE(pc.Logged(L"收银端发送的数据超出大小上限，已放弃: ", "b.dat")) << pc.Log();
         EXPECT_LT(pc.standIn.server.FloodSent(), 64ull << 20);  // it stopped receiving at once
       }},
      {"a server that floods a file without a size",
       [&](VenuePc& pc) {
         pc.Serve(ManifestXml({{"1.1", "b.dat", ""}}));
         pc.options.fault = Fault::Flood;
         pc.options.faultName = "b.dat";
         pc.Set(L"ORV_UPDATER_MAX_FILE_BYTES", L"1048576");
       },
       [](const VenuePc& pc) {
         EXPECT_EQ("data 1.0", pc.Read(L"b.dat"));
         EXPECT_FALSE(pc.Exists(L"temp\\b.dat"));
         EXPECT_TRUE(pc.Logged(L"收银端发送的数据超出大小上限，已放弃: ", "b.dat")) << pc.Log();
       }},
      {"an endless manifest (the program's own cap)",
       [&](VenuePc& pc) {
         pc.options.fault = Fault::Flood;
         pc.options.faultName = "UpdateList.xml";
       },
       [](const VenuePc& pc) {
         EXPECT_TRUE(pc.Logged(L"获取更新文件出错.")) << pc.Log();
         WIN32_FILE_ATTRIBUTE_DATA data = {};
         ASSERT_TRUE(GetFileAttributesExW(pc.Path(L"ServerList.xml").c_str(), GetFileExInfoStandard, &data));
         EXPECT_EQ(0u, data.nFileSizeHigh);
         EXPECT_LE(data.nFileSizeLow, 16u << 20);
         EXPECT_LT(pc.standIn.server.FloodSent(), 100ull << 20);
       }},
      {"a run past its deadline",
       [&](VenuePc& pc) {
         pc.Serve(serverFiles);
         // Steady (40 KB/s), but 20 s of it: the deadline, well after the manifest came, ends it.
         pc.standIn.Put(L"b.dat", Pattern(800000));
         pc.options.fault = Fault::SendSlowly;
         pc.options.faultName = "b.dat";
         pc.options.slowChunk = 2000;
         pc.options.slowDelayMs = 50;
         pc.Set(L"ORV_UPDATER_DEADLINE_MS", L"5000");
       },
       [](const VenuePc& pc) {
         EXPECT_EQ("data 1.0", pc.Read(L"b.dat"));
         EXPECT_FALSE(pc.Exists(L"temp\\b.dat"));
         EXPECT_TRUE(pc.Logged(L"本次更新超出时限，已放弃: ", "b.dat")) << pc.Log();
       }},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.what);
    VenuePc pc;
    c.arrange(pc);
    ASSERT_TRUE(pc.Run()) << pc.Log();
    ExpectAWorkingPc(pc);
    c.verify(pc);
  }
}

// Each class of name that cannot name a plain file below the program folder, served with the
// bytes of a program; beside it a good new file, which is installed all the same.
TEST(UpdaterAgainstHostileServers, NamesThatAreNoPlainFileAreLeftOutAndTheRestIsInstalled) {
  const std::string cutShortProgram = TestBinary(L"next/Pelgrix.exe").substr(0, 20000);
  struct Case {
    std::string xmlName;    // as written in the manifest
    std::wstring served;    // the stand-in's file for it; empty: nothing
    std::string logSuffix;  // the name in the log line
    const wchar_t* message;
  } cases[] = {
      // A program cut short under another spelling of the client's name: the whole-program
      // check goes by the name the file system resolves.
      {"Orvanta.exe.", L"Orvanta.exe", "Orvanta.exe.", L"更新文件不完整，未安装: "},
      {"Orvanta.exe ", L"Orvanta.exe", "Orvanta.exe ", L"更新文件不完整，未安装: "},
      {"ORVANTA.EXE.", L"Orvanta.exe", "ORVANTA.EXE.", L"更新文件不完整，未安装: "},
      {"b.dat:x", L"", "b.dat:x", L"更新清单中的文件名不可用，已跳过: "},
      {"CON", L"", "CON", L"更新清单中的文件名不可用，已跳过: "},
      {"nul.txt", L"", "nul.txt", L"更新清单中的文件名不可用，已跳过: "},
      {"LPT1.dat", L"", "LPT1.dat", L"更新清单中的文件名不可用，已跳过: "},
      {"*.dat", L"", "*.dat", L"更新清单中的文件名不可用，已跳过: "},
      {"a&#9;b.dat", L"", "a?b.dat", L"更新清单中的文件名不可用，已跳过: "},
      {"ServerList.xml", L"", "ServerList.xml", L"更新清单中的文件名不可用，已跳过: "},
      {"UpdateList.xml", L"", "UpdateList.xml", L"更新清单中的文件名不可用，已跳过: "},
      {"temp\\x.dat", L"", "temp\\x.dat", L"更新清单中的文件名不可用，已跳过: "},
      {"pelgrix.exe", L"Pelgrix.exe", "pelgrix.exe", L"更新清单中的文件名不可用，已跳过: "},
      {"Pelgrix.exe.", L"Pelgrix.exe", "Pelgrix.exe.", L"更新清单中的文件名不可用，已跳过: "},
      {"..\\evil.dat", L"", "..\\evil.dat", L"更新清单中的文件名不可用，已跳过: "},
      {std::string(230, 'n') + ".dat", L"", "", L"文件路径过长，已跳过: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xmlName);
    VenuePc pc;
    pc.Serve(ManifestXml({{"4.0.0.6", c.xmlName, ""}, {"1.1", "b.dat", ""}, {"1.0", "c.dat", ""}}));
    if (!c.served.empty()) pc.standIn.Put(c.served, cutShortProgram);
    pc.standIn.Put(L"b.dat", "data 1.1");
    pc.standIn.Put(L"c.dat", "data c");
    const auto parentBefore = testsupport::ReadFileBytes(pc.dir.Path() + L"..\\evil.dat");
    ASSERT_TRUE(pc.Run()) << pc.Log();
    ExpectAWorkingPc(pc);
    EXPECT_EQ(pc.oldUpdater, pc.Read(L"Pelgrix.exe"));
    EXPECT_EQ("data 1.1", pc.Read(L"b.dat"));
    EXPECT_EQ("data c", pc.Read(L"c.dat"));
    EXPECT_EQ(parentBefore, testsupport::ReadFileBytes(pc.dir.Path() + L"..\\evil.dat"));
    EXPECT_TRUE(pc.Logged(c.message, c.logSuffix.empty() ? c.xmlName : c.logSuffix)) << pc.Log();
    // Nothing else appeared in the program folder, and the entry is not on record as applied.
    EXPECT_EQ((std::vector<std::wstring>{L"Orvanta.exe", L"Pelgrix.exe", L"UpdateList.xml", L"b.dat",
                                         L"c.dat", L"client-started.txt", L"log", L"temp"}),
              pc.TopLevel());
    EXPECT_EQ(std::string::npos, pc.Read(L"UpdateList.xml").find("4.0.0.6"));
  }
}

// A server version of the updater whose text is no plain version: one self-update, and the
// restarted updater installs the rest and starts the client; so does the next run.
TEST(UpdaterAgainstHostileServers, AnUpdaterVersionThatIsNoNumberReplacesItOnlyOnce) {
  for (const char* version : {"2.0.0.1.", "V2.0", "2.0.0.3000000000"}) {
    SCOPED_TRACE(version);
    VenuePc pc;
    const std::string manifest = ManifestXml({{version, "Pelgrix.exe", ""}, {"1.1", "b.dat", ""}});
    pc.Serve(manifest);
    pc.standIn.Put(L"Pelgrix.exe", pc.newUpdater);
    pc.standIn.Put(L"b.dat", "data 1.1");
    ASSERT_TRUE(pc.Run()) << pc.Log();
    ExpectAWorkingPc(pc);
    EXPECT_EQ(pc.newUpdater, pc.Read(L"Pelgrix.exe"));
    EXPECT_EQ(1u, pc.Requests("UPDATE,Pelgrix.exe"));
    EXPECT_EQ("data 1.1", pc.Read(L"b.dat"));
    EXPECT_EQ(manifest, pc.Read(L"UpdateList.xml"));

    ASSERT_TRUE(pc.Run(1)) << pc.Log();
    ExpectAWorkingPc(pc, 2);
    EXPECT_EQ(1u, pc.Requests("UPDATE,Pelgrix.exe"));
  }
}

// The new updater imports a library the PC lacks: the old one sees that it never comes alive,
// takes its place back, installs the rest and starts the client; later runs do not try that
// version again, a newer one is installed.
TEST(UpdaterAgainstHostileServers, ANewUpdaterThatCannotStartIsTakenBack) {
  VenuePc pc;
  const std::string unstartable = TestBinary(L"unstartable/updater_unstartable.exe");
  ASSERT_FALSE(unstartable.empty());
  pc.Serve(
      ManifestXml({{"2.0.0.2", "Pelgrix.exe", std::to_string(unstartable.size())}, {"1.1", "b.dat", ""}}));
  pc.standIn.Put(L"Pelgrix.exe", unstartable);
  pc.standIn.Put(L"b.dat", "data 1.1");
  ASSERT_TRUE(pc.Run()) << pc.Log();
  ExpectAWorkingPc(pc);
  EXPECT_EQ(pc.oldUpdater, pc.Read(L"Pelgrix.exe"));
  EXPECT_FALSE(pc.Exists(L"Pelgrix-2.exe"));
  EXPECT_EQ("2.0.0.2", pc.Read(L"Pelgrix.rejected"));
  EXPECT_EQ("data 1.1", pc.Read(L"b.dat"));
  EXPECT_TRUE(pc.Logged(L"新的更新程序未能启动，恢复原更新程序: ", "2.0.0.2")) << pc.Log();
  ManifestMap local;
  ASSERT_TRUE(ReadManifest(pc.Ansi("UpdateList.xml"), local));
  EXPECT_EQ("2.0.0.1", local["Pelgrix.exe"].ver);
  EXPECT_EQ("1.1", local["b.dat"].ver);

  // The next boot's run leaves that version alone.
  ASSERT_TRUE(pc.Run(1)) << pc.Log();
  ExpectAWorkingPc(pc, 2);
  EXPECT_EQ(pc.oldUpdater, pc.Read(L"Pelgrix.exe"));
  EXPECT_TRUE(pc.Logged(L"此版本的更新程序曾无法启动，不再安装: ", "2.0.0.2")) << pc.Log();

  // A newer release is tried, and kept once it runs.
  pc.Serve(ManifestXml({{"2.0.0.3", "Pelgrix.exe", ""}, {"1.1", "b.dat", ""}}));
  pc.standIn.Put(L"Pelgrix.exe", pc.newUpdater);
  ASSERT_TRUE(pc.Run(2)) << pc.Log();
  ExpectAWorkingPc(pc, 3, 2);
  EXPECT_EQ(pc.newUpdater, pc.Read(L"Pelgrix.exe"));
  EXPECT_FALSE(pc.Exists(L"Pelgrix.trial"));
}

// The first run on a PC (no local manifest) whose record of the new updater cannot be saved:
// nothing is on record as applied, and once the disk takes writes again the next run installs
// everything.
TEST(UpdaterAgainstHostileServers, AFirstManifestThatCannotBeWrittenRecordsNothing) {
  VenuePc pc;
  DeleteFileW(pc.Path(L"UpdateList.xml").c_str());
  const std::string manifest = ManifestXml({{"2.0.0.2", "Pelgrix.exe", ""}, {"1.1", "b.dat", ""}});
  pc.Serve(manifest);
  pc.standIn.Put(L"Pelgrix.exe", pc.newUpdater);
  pc.standIn.Put(L"b.dat", "data 1.1");
  ASSERT_TRUE(CreateDirectoryW(pc.Path(L"UpdateList.xml.tmp").c_str(), nullptr));
  ASSERT_TRUE(pc.Run()) << pc.Log();
  ExpectAWorkingPc(pc);
  EXPECT_EQ(pc.oldUpdater, pc.Read(L"Pelgrix.exe"));
  EXPECT_FALSE(pc.Exists(L"UpdateList.xml"));
  EXPECT_FALSE(pc.Exists(L"Pelgrix-2.exe"));

  RemoveDirectoryW(pc.Path(L"UpdateList.xml.tmp").c_str());
  ASSERT_TRUE(pc.Run(1)) << pc.Log();
  ExpectAWorkingPc(pc, 2, 2);
  EXPECT_EQ(pc.newUpdater, pc.Read(L"Pelgrix.exe"));
  EXPECT_EQ("data 1.1", pc.Read(L"b.dat"));
  EXPECT_EQ(manifest, pc.Read(L"UpdateList.xml"));
}

// An old copy "Pelgrix-2.exe" that is read-only, or held open by another program, does not stop
// the self-update, nor the update of the other files.
TEST(UpdaterAgainstHostileServers, AnOldCopyThatCannotBeReplacedDoesNotStopTheSelfUpdate) {
  for (bool held : {false, true}) {
    SCOPED_TRACE(held ? "held open" : "read-only");
    VenuePc pc;
    pc.Write(L"Pelgrix-2.exe", "an old copy");
    ASSERT_TRUE(SetFileAttributesW(pc.Path(L"Pelgrix-2.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE holder = INVALID_HANDLE_VALUE;
    if (held) {
      holder = CreateFileW(pc.Path(L"Pelgrix-2.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    }
    pc.Serve(ManifestXml({{"2.0.0.2", "Pelgrix.exe", ""}, {"1.1", "b.dat", ""}}));
    pc.standIn.Put(L"Pelgrix.exe", pc.newUpdater);
    pc.standIn.Put(L"b.dat", "data 1.1");
    const bool ran = pc.Run();
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    ASSERT_TRUE(ran) << pc.Log();
    ExpectAWorkingPc(pc);
    EXPECT_EQ(pc.newUpdater, pc.Read(L"Pelgrix.exe"));
    EXPECT_EQ("data 1.1", pc.Read(L"b.dat"));
    SetFileAttributesW(pc.Path(L"Pelgrix-2.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
