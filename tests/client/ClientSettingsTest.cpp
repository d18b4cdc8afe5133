// "Setting.ini" read through the process's settings accessor, in a program folder of its own
// per case. Runs with code page 936 (LC_ALL=zh_CN.UTF-8), as on the venues' Chinese systems.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "TestSupport.h"
#include "TextConvert.h"

using namespace testsupport;

namespace {

using Fields = std::map<std::string, std::string>;

const Fields kDefaults = {
    {"debug", "0"},        {"url", ""},        {"request", ""},     {"wbid", "0"},        {"wbname", ""},
    {"showlogo", "0"},     {"logowidth", "0"}, {"logoheight", "0"}, {"miniwidth", "0"},   {"miniheight", "0"},
    {"maxwidth", "0"},     {"maxheight", "0"}, {"align", "0"},      {"alignspace", "20"}, {"valign", "0"},
    {"valignspace", "20"}, {"xpos", "0"},      {"ypos", "0"},       {"tip_show", "0"},    {"tip_width", "0"},
    {"tip_height", "0"},   {"devtools", "0"},  {"url1", ""},        {"url2", ""},         {"url3", ""},
};

// One program folder with the probe and, optionally, a settings file.
class SettingsFolder {
 public:
  SettingsFolder() { EXPECT_TRUE(CopyTestBinary(L"orv_settings_probe.exe", dir_.Path())); }
  void Write(const std::string& iniBytes) { ASSERT_TRUE(WriteFileBytes(Ini(), iniBytes)); }
  std::wstring Ini() const { return dir_.File(L"Setting.ini"); }
  const TempDir& Dir() const { return dir_; }

  // Runs the probe and returns the fields it read (plus "acp" and "iniPath").
  Fields Run(const std::wstring& args = L"") {
    ProcessResult result = RunProcess(dir_.File(L"orv_settings_probe.exe"), args, dir_.Path(), 30000);
    EXPECT_TRUE(result.started && !result.timedOut && result.exitCode == 0);
    Fields fields;
    std::string text = ReadFileBytes(dir_.File(L"settings.txt"));
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      std::string line = text.substr(start, end - start);
      size_t eq = line.find('=');
      if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
      start = end == std::string::npos ? text.size() : end + 1;
    }
    return fields;
  }

 private:
  TempDir dir_;
};

Fields SettingsOnly(Fields fields) {
  fields.erase("acp");
  fields.erase("iniPath");
  return fields;
}

struct SettingsCase {
  const char* name;
  const char* ini;  // null: no file at all
  Fields changed;   // the fields that differ from the defaults
};

const std::string kLong300(300, 'a');
const std::string kGbkVenue = "\xD0\xC7\xBF\xD5\xCD\xF8\xB0\xC9";  // 星空网吧 in GBK
const std::string kUtf8Venue = "\xE6\x98\x9F\xE7\xA9\xBA\xE7\xBD\x91\xE5\x90\xA7";

std::vector<SettingsCase> Cases() {
  static const std::string longText = "[CONFIG]\r\nurl=" + kLong300 + "\r\n";
  static const std::string chinese = "[CONFIG]\r\nwbname=" + kGbkVenue + "\r\n";
  return {
      {"no file", nullptr, {}},
      {"empty file", "", {}},
      {"alignspace 0", "[CONFIG]\r\nalignspace=0\r\nvalignspace=0\r\n", {}},
      {"alignspace 5",
       "[CONFIG]\r\nalignspace=5\r\nvalignspace=7\r\n",
       {{"alignspace", "5"}, {"valignspace", "7"}}},
      {"align Right", "[CONFIG]\r\nalign=Right\r\nvalign=CENTER\r\n", {{"align", "3"}, {"valign", "2"}}},
      {"align middle", "[CONFIG]\r\nalign=middle\r\nvalign=bottoms\r\n", {}},
      {"align words", "[CONFIG]\r\nalign=LEFT\r\nvalign=top\r\n", {{"align", "1"}, {"valign", "1"}}},
      {"align center", "[CONFIG]\r\nalign=center\r\nvalign=Bottom\r\n", {{"align", "2"}, {"valign", "3"}}},
      {"align empty", "[CONFIG]\r\nalign=\r\nvalign=\r\n", {}},
      {"debug 2", "[CONFIG]\r\ndebug=2\r\n", {{"debug", "1"}}},
      {"debug yes", "[CONFIG]\r\ndebug=yes\r\n", {}},
      {"300 characters", longText.c_str(), {{"url", std::string(259, 'a')}}},
      {"Chinese wbname", chinese.c_str(), {{"wbname", kUtf8Venue}}},
      {"every key",
       "[CONFIG]\r\ndebug=1\r\nurl=http://shop.example/\r\nrequest=http://127.0.0.1:1\r\nwbid=-12\r\n"
       "wbname=cafe\r\nshowlogo=1\r\nlogowidth=80\r\nlogoheight=90\r\nminiwidth=500\r\nminiheight=300\r\n"
       "maxwidth=1000\r\nmaxheight=700\r\nalign=left\r\nalignspace=30\r\nvalign=top\r\nvalignspace=40\r\n"
       "xpos=11\r\nypos=22\r\ndevtools=1\r\nurl1=u1\r\nurl2=u2\r\nurl3=u3\r\n"
       "[TIP]\r\nshow=1\r\nwidth=55\r\nheight=66\r\n",
       {{"debug", "1"},
        {"url", "http://shop.example/"},
        {"request", "http://127.0.0.1:1"},
        {"wbid", "-12"},
        {"wbname", "cafe"},
        {"showlogo", "1"},
        {"logowidth", "80"},
        {"logoheight", "90"},
        {"miniwidth", "500"},
        {"miniheight", "300"},
        {"maxwidth", "1000"},
        {"maxheight", "700"},
        {"align", "1"},
        {"alignspace", "30"},
        {"valign", "1"},
        {"valignspace", "40"},
        {"xpos", "11"},
        {"ypos", "22"},
        {"devtools", "1"},
        {"url1", "u1"},
        {"url2", "u2"},
        {"url3", "u3"},
        {"tip_show", "1"},
        {"tip_width", "55"},
        {"tip_height", "66"}}},
      // Keys belong to their section: TIP's show is not CONFIG's showlogo, and CONFIG has no show.
      {"sections apart", "[TIP]\r\nshowlogo=1\r\ndebug=1\r\n[CONFIG]\r\nshow=1\r\nwidth=5\r\n", {}},
  };
}

}  // namespace

TEST(ClientSettings, CasesTable) {
  for (const SettingsCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    SettingsFolder folder;
    if (c.ini) folder.Write(c.ini);
    Fields read = folder.Run();
    EXPECT_EQ("936", read["acp"]);
    EXPECT_EQ(WideToUtf8(folder.Ini()), read["iniPath"]);
    Fields expected = kDefaults;
    for (const auto& field : c.changed) expected[field.first] = field.second;
    EXPECT_EQ(expected, SettingsOnly(read));

    // The debug switch decides whether a line reaches the day file; the file exists either way.
    std::wstring log = TodayLogPath(folder.Dir().Path());
    if (expected["debug"] == "1") {
      EXPECT_NE(std::string::npos, ReadFileBytes(log).find("probe line"));
    } else {
      EXPECT_TRUE(FileExists(log));
      EXPECT_EQ("", ReadFileBytes(log));
    }
  }
}

TEST(ClientSettings, WriteVenueNameChangesTheFileNotTheRunningValue) {
  for (bool withFile : {true, false}) {
    SCOPED_TRACE(withFile ? "existing file" : "no file");
    SettingsFolder folder;
    if (withFile) folder.Write("[CONFIG]\r\ndebug=0\r\nwbname=old\r\n[TIP]\r\nshow=1\r\n");
    Fields running = folder.Run(L"write 星空网吧");
    EXPECT_EQ(withFile ? "old" : "", running["wbname"]);

    wchar_t stored[64] = {};
    GetPrivateProfileStringW(L"CONFIG", L"wbname", L"", stored, 64, folder.Ini().c_str());
    EXPECT_EQ(std::wstring(L"星空网吧"), stored);
    // Written as the system's code page gives it, so the next start reads the same name.
    EXPECT_NE(std::string::npos, ReadFileBytes(folder.Ini()).find(kGbkVenue));
    EXPECT_EQ(kUtf8Venue, folder.Run()["wbname"]);
    if (withFile) {
      EXPECT_EQ("1", folder.Run()["tip_show"]);
    }
  }
}
