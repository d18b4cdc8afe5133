// The fetch protocol against the cashier stand-in on 127.0.0.1.
#include <gtest/gtest.h>

#include <thread>

#include "FetchClient.h"
#include "UpdaterTestSupport.h"

namespace {

using cashier::Fault;
using updatertest::CapturedLog;
using updatertest::Pattern;
using updatertest::ProgramFolder;
using updatertest::StandIn;

// Receives that returned data, as the server sent it.
TEST(UpdaterFetch, SendsTheExactRequestAndStoresTheManifest) {
  ProgramFolder folder;
  StandIn standIn;
  standIn.Put(L"UpdateList.xml", "<AutoUpdater/>");
  ASSERT_TRUE(standIn.Start());
  ASSERT_TRUE(FetchManifest(folder.context, "127.0.0.1", standIn.Port()));
  ASSERT_EQ(1u, standIn.server.Requests().size());
  EXPECT_EQ(std::string("UPDATE,UpdateList.xml"), standIn.server.Requests()[0]);
  EXPECT_EQ(21u, standIn.server.Requests()[0].size());
  EXPECT_EQ("<AutoUpdater/>", folder.Read(L"ServerList.xml"));
}

TEST(UpdaterFetch, StoresAReplyLongerThanOneReceive) {
  ProgramFolder folder;
  StandIn standIn;
  const std::string bytes = Pattern(2500);
  standIn.Put(L"big file.bin", bytes);
  // Pieces of 700 bytes, 30 ms apart: the 2500 bytes cannot arrive in one receive.
  cashier::ServerOptions options;
  options.fault = Fault::SendSlowly;
  options.slowChunk = 700;
  options.slowDelayMs = 30;
  ASSERT_TRUE(standIn.Start(options));
  ASSERT_TRUE(FetchFile(folder.context, "127.0.0.1", "big file.bin", standIn.Port()));
  EXPECT_EQ(bytes, folder.Read(L"temp\\big file.bin"));
  // A name with a blank goes out unchanged.
  EXPECT_EQ(std::vector<std::string>{"UPDATE,big file.bin"}, standIn.server.Requests());
}

TEST(UpdaterFetch, ACloseWithoutDataLeavesAnEmptyFileAndFails) {
  ProgramFolder folder;
  StandIn standIn;
  ASSERT_TRUE(standIn.Start());  // the file is not there: the stand-in closes without data
  folder.Write(L"temp\\missing.dll", "old content");
  EXPECT_FALSE(FetchFile(folder.context, "127.0.0.1", "missing.dll", standIn.Port()));
  EXPECT_TRUE(folder.Exists(L"temp\\missing.dll"));
  EXPECT_EQ("", folder.Read(L"temp\\missing.dll"));

  StandIn closing;
  closing.Put(L"a.dll", "abc");
  cashier::ServerOptions options;
  options.fault = Fault::CloseWithoutData;
  ASSERT_TRUE(closing.Start(options));
  EXPECT_FALSE(FetchFile(folder.context, "127.0.0.1", "a.dll", closing.Port()));
  EXPECT_EQ("", folder.Read(L"temp\\a.dll"));
}

TEST(UpdaterFetch, FailsWithoutAttemptForAnEmptyAddressOrAMissingFolder) {
  ProgramFolder folder;
  CapturedLog log;
  StandIn standIn;
  standIn.Put(L"a.dll", "abc");
  ASSERT_TRUE(standIn.Start());
  EXPECT_FALSE(FetchFile(folder.context, "", "a.dll", standIn.Port()));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_TRUE(standIn.server.Requests().empty());

  // "temp\" gets no sub-folders: the destination cannot be opened.
  EXPECT_FALSE(FetchFile(folder.context, "127.0.0.1", "sub\\a.dll", standIn.Port()));
  EXPECT_EQ(std::vector<std::wstring>{L"打开文件失败!"}, log.DebuggerLines());
}

TEST(UpdaterFetch, AConnectionThatIsNeverMadeEndsAfterTheConnectTimeOut) {
  ProgramFolder folder;
  folder.context.timings = UpdaterTimings{};  // the program's own 5 s
  CapturedLog log;
  StandIn standIn;
  cashier::ServerOptions options;
  options.fault = Fault::RefuseConnections;
  ASSERT_TRUE(standIn.Start(options));
  ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(FetchManifest(folder.context, "127.0.0.1", standIn.Port()));
  ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_GE(elapsed, 4900u);
  EXPECT_LT(elapsed, 9000u);
  ASSERT_EQ(1u, log.Lines().size());
  EXPECT_TRUE(log.HasPrefix(L"select错误或者超时，errorid: ")) << log.Lines()[0];
  EXPECT_FALSE(folder.Exists(L"ServerList.xml"));
}

TEST(UpdaterFetch, AFileFetchGivesUpWhenTheServerStallsAfterPartOfTheFile) {
  ProgramFolder folder;
  folder.context.timings.receiveTimeoutMs = 600;
  CapturedLog log;
  StandIn standIn;
  standIn.Put(L"a.dll", Pattern(5000));
  cashier::ServerOptions options;
  options.fault = Fault::PartThenStall;
  options.partBytes = 2000;
  ASSERT_TRUE(standIn.Start(options));
  ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(FetchFile(folder.context, "127.0.0.1", "a.dll", standIn.Port()));
  EXPECT_GE(GetTickCount64() - start, 500u);
  EXPECT_EQ(Pattern(5000).substr(0, 2000), folder.Read(L"temp\\a.dll"));
  EXPECT_EQ(std::vector<std::wstring>{L"读取数据出错!"}, log.DebuggerLines());
  // The fetch closed its connection: the stand-in sees the close.
  EXPECT_TRUE(testsupport::WaitFor([&] { return standIn.server.ClientCloses() == 1; }, 3000));
}

TEST(UpdaterFetch, TheProgramsReceiveTimeOutIsThirtySecondsForFilesOnly) {
  UpdaterTimings timings;
  EXPECT_EQ(30000u, timings.receiveTimeoutMs);
  EXPECT_EQ(5000u, timings.connectTimeoutMs);
  EXPECT_EQ(120000u, timings.manifestWaitMs);
  EXPECT_EQ(2000u, timings.startPauseMs);

  // The manifest has no receive time-out of its own: a short file limit does not cut it short.
  ProgramFolder folder;
  folder.context.timings.receiveTimeoutMs = 200;
  StandIn standIn;
  standIn.Put(L"UpdateList.xml", Pattern(3000));
  cashier::ServerOptions options;
  options.fault = Fault::SendSlowly;
  options.slowChunk = 1000;
  options.slowDelayMs = 400;
  ASSERT_TRUE(standIn.Start(options));
  EXPECT_TRUE(FetchManifest(folder.context, "127.0.0.1", standIn.Port()));
  EXPECT_EQ(Pattern(3000), folder.Read(L"ServerList.xml"));
}

TEST(UpdaterFetch, ACancelClosesTheSocketOfAWaitingFetch) {
  ProgramFolder folder;
  StandIn standIn;
  cashier::ServerOptions options;
  options.fault = Fault::NeverAnswer;
  ASSERT_TRUE(standIn.Start(options));
  FetchCancel cancel;
  bool fetched = true;
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread worker([&] {
    fetched = FetchManifest(folder.context, "127.0.0.1", standIn.Port(), &cancel);
    SetEvent(done);
  });
  ASSERT_TRUE(testsupport::WaitFor([&] { return standIn.server.Requests().size() == 1; }, 5000));
  cancel.Cancel();
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(done, 5000));
  worker.join();
  CloseHandle(done);
  EXPECT_FALSE(fetched);
  EXPECT_TRUE(testsupport::WaitFor([&] { return standIn.server.ClientCloses() == 1; }, 3000));
  // A fetch that starts after the cancel does not connect at all.
  EXPECT_FALSE(FetchManifest(folder.context, "127.0.0.1", standIn.Port(), &cancel));
  EXPECT_EQ(1u, standIn.server.Requests().size());
}

}  // namespace
