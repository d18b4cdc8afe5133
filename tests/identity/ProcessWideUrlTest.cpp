// The no-argument builders read Setting.ini and the venue profile of the running program and
// the version of its own executable; a probe program runs them in a scratch program folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LogCapture.h"
#include "MachineIdentity.h"
#include "PageAddress.h"
#include "TestSupport.h"
#include "TextConvert.h"

namespace {

using testsupport::SplitLines;
using testsupport::TempDir;

class ProcessWideUrl : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testsupport::CopyTestBinary(L"orv_identity_probe.exe", dir_.Path())); }

  // Runs the probe with a venue id and token: the four addresses it built.
  std::vector<std::string> Run(const std::wstring& id, const std::wstring& token) {
    auto result =
        testsupport::RunProcess(dir_.File(L"orv_identity_probe.exe"), id + L" " + token, dir_.Path(), 30000);
    EXPECT_TRUE(result.started && !result.timedOut && result.exitCode == 0);
    auto lines = SplitLines(testsupport::ReadFileBytes(dir_.File(L"urls.txt")));
    EXPECT_EQ(4u, lines.size());
    lines.resize(4);
    return lines;
  }

  std::string ShopQueryTail() const {
    // The probe carries product version 3.1.4.1; venue name and theme are the profile's defaults.
    return "&machine_no=" + GetMachineNo() + "&cv=3.1.4.1&mac=" + GetMacList() +
           "&is_c=1&wbname=unknown&theme=0";
  }

  TempDir dir_;
};

TEST_F(ProcessWideUrl, ReadsSettingsProfileAndOwnVersion) {
  ASSERT_TRUE(testsupport::WriteFileBytes(
      dir_.File(L"Setting.ini"),
      "[CONFIG]\r\ndebug=1\r\nurl=http://127.0.0.1:9/base\r\nurl2=http://127.0.0.1:9/msg#/m\r\n"));
  auto urls = Run(L"77", L"tk");
  const std::string machine = "&machine_no=" + GetMachineNo();
  EXPECT_EQ("http://127.0.0.1:9/base/shop/?wb_id=77&token=tk" + ShopQueryTail(), urls[0]);
  EXPECT_EQ(DefaultWebBase() + "/shop_ext/#/call_network_manage/?token=tk" + machine, urls[1]);
  EXPECT_EQ("http://127.0.0.1:9/msg#/m/?token=tk" + machine, urls[2]);
  EXPECT_EQ(DefaultWebBase() + "/shop_ext/#/karaoke/?token=tk" + machine, urls[3]);

  std::string text = testsupport::ReadFileBytes(testsupport::TodayLogPath(dir_.Path()));
  auto lines = SplitLines(text);
  ASSERT_EQ(4u, lines.size()) << text;
  EXPECT_TRUE(EndsWith(lines[0], LogLineEnd("DEBUG", urls[0]))) << lines[0];
  for (int i = 1; i < 4; ++i) EXPECT_TRUE(EndsWith(lines[i], LogLineEnd("INFO", urls[i]))) << lines[i];
}

TEST_F(ProcessWideUrl, MissingVenueIdLogsOneErrorLine) {
  ASSERT_TRUE(testsupport::WriteFileBytes(dir_.File(L"Setting.ini"), "[CONFIG]\r\ndebug=1\r\n"));
  auto urls = Run(L"0", L"tk");
  EXPECT_EQ("", urls[0]);
  std::string text = testsupport::ReadFileBytes(testsupport::TodayLogPath(dir_.Path()));
  auto lines = SplitLines(text);
  ASSERT_EQ(4u, lines.size()) << text;
  EXPECT_TRUE(EndsWith(lines[0], LogLineEnd("ERROR", WideToGbk(L"网吧ID出错.")))) << lines[0];
}

TEST_F(ProcessWideUrl, WbidOverridesWithoutDebugLines) {
  ASSERT_TRUE(testsupport::WriteFileBytes(dir_.File(L"Setting.ini"), "[CONFIG]\r\nwbid=4321\r\n"));
  auto urls = Run(L"0", L"tk");
  EXPECT_EQ(DefaultWebBase() + "/shop/?wb_id=4321&token=tk" + ShopQueryTail(), urls[0]);
  EXPECT_EQ("", testsupport::ReadFileBytes(testsupport::TodayLogPath(dir_.Path())));
}

}  // namespace
