#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "TestSupport.h"

using namespace testsupport;

namespace {

// Copies the probe into a fresh program folder and runs it there with one mode.
class LogProbeRun {
 public:
  LogProbeRun() { EXPECT_TRUE(CopyTestBinary(L"orv_log_probe.exe", dir_.Path())); }
  void Settings(const std::string& ini) { ASSERT_TRUE(WriteFileBytes(dir_.File(L"Setting.ini"), ini)); }
  void Run(const std::wstring& mode) {
    ProcessResult result = RunProcess(dir_.File(L"orv_log_probe.exe"), mode, dir_.Path(), 30000);
    ASSERT_TRUE(result.started);
    ASSERT_FALSE(result.timedOut);
    ASSERT_EQ(0u, result.exitCode);
  }
  std::wstring LogPath() const { return TodayLogPath(dir_.Path()); }
  std::string Log() const { return ReadFileBytes(LogPath()); }
  const TempDir& Dir() const { return dir_; }

 private:
  TempDir dir_;
};

const char kStamp[] = R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2},\d{3})";

}  // namespace

TEST(Logger, LineFormKeepsPercentAndBytes) {
  LogProbeRun probe;
  probe.Run(L"samples");
  std::vector<std::string> lines = SplitLines(probe.Log());
  ASSERT_EQ(3u, lines.size()) << probe.Log();
  const std::string stamp = kStamp;
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(stamp + ": DEBUG  :plain message"))) << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(stamp + ": INFO  :addr=a%20b%2Fc 100% %d %s %n")))
      << lines[1];
  EXPECT_TRUE(std::regex_match(lines[2], std::regex(stamp + ": ERROR  :\xD6\xD0\xCE\xC4"))) << lines[2];
}

TEST(Logger, DayFileIsCreatedAtFirstUseEvenWhenEmpty) {
  LogProbeRun probe;
  probe.Run(L"touch");
  EXPECT_TRUE(DirExists(probe.Dir().File(L"log")));
  EXPECT_TRUE(FileExists(probe.LogPath()));
  EXPECT_EQ("", probe.Log());
}

TEST(Logger, ClientLinesFollowTheDebugSwitch) {
  struct Case {
    const char* ini;
    bool written;
  } cases[] = {
      {"", false},
      {"[CONFIG]\r\ndebug=0\r\n", false},
      {"[CONFIG]\r\ndebug=yes\r\n", false},
      {"[CONFIG]\r\ndebug=1\r\n", true},
      {"[CONFIG]\r\ndebug=2\r\n", true},
  };
  for (const Case& c : cases) {
    LogProbeRun probe;
    if (*c.ini) probe.Settings(c.ini);
    probe.Run(L"client");
    EXPECT_EQ(c.written, probe.Log().find("from the client") != std::string::npos) << c.ini;
  }
}

TEST(Logger, ClientAndUpdaterAppendToOneFile) {
  LogProbeRun probe;
  probe.Settings("[CONFIG]\r\ndebug=1\r\n");
  probe.Run(L"client");
  probe.Run(L"updater");
  probe.Run(L"client");
  std::vector<std::string> lines = SplitLines(probe.Log());
  ASSERT_EQ(3u, lines.size()) << probe.Log();
  EXPECT_NE(std::string::npos, lines[0].find(":from the client"));
  EXPECT_NE(std::string::npos, lines[1].find(":from the updater"));
  EXPECT_NE(std::string::npos, lines[2].find(":from the client"));
}

TEST(ScopeTimer, ElapsedTimeIsRightAcrossATickWrap) {
  LogProbeRun probe;
  probe.Settings("[CONFIG]\r\ndebug=1\r\n");
  probe.Run(L"timer");
  std::vector<std::string> lines = SplitLines(probe.Log());
  ASSERT_EQ(2u, lines.size()) << probe.Log();
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(std::string(kStamp) + ": DEBUG  :Wrap start\\.")))
      << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(std::string(kStamp) + ": DEBUG  :Wrap time: 512 ms\\.")))
      << lines[1];
}
