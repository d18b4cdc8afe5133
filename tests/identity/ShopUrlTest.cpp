#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "LogCapture.h"
#include "ModulePath.h"
#include "PageAddress.h"
#include "TextConvert.h"

namespace {

const MachineIdentity kMachine = {"%E7%BD%91%E5%90%A7-01", "4.0.0.5", "1c-6f-65-a2-3b-10, 0a-00-27-00-00-05"};
const char kMachineQuery[] =
    "&machine_no=%E7%BD%91%E5%90%A7-01&cv=4.0.0.5&mac=1c-6f-65-a2-3b-10, 0a-00-27-00-00-05&is_c=1";

struct ShopCase {
  const char* name;
  std::string url;
  int32_t wbid;
  std::string id;
  std::string token;
  std::string realname;
  int32_t skin;
  MachineIdentity machine;
  std::string expected;  // starting with "/": after the default base
};

TEST(ShopUrl, AppendsEveryKeyInOrder) {
  const std::string q = kMachineQuery;
  const ShopCase cases[] = {
      {"empty values keep their keys",
       "",
       0,
       "7",
       "",
       "",
       0,
       {"", "", ""},
       "/shop/?wb_id=7&token=&machine_no=&cv=&mac=&is_c=1&wbname=&theme=0"},
      {"default base", "", 0, "815", "tk", "Net", 2, kMachine,
       "/shop/?wb_id=815&token=tk" + q + "&wbname=Net&theme=2"},
      {"url replaces the base", "http://127.0.0.1:8080", 0, "815", "tk", "Net", 2, kMachine,
       "http://127.0.0.1:8080/shop/?wb_id=815&token=tk" + q + "&wbname=Net&theme=2"},
      {"a base ending in a slash keeps it", "http://127.0.0.1:8080/", 0, "815", "tk", "Net", 2, kMachine,
       "http://127.0.0.1:8080//shop/?wb_id=815&token=tk" + q + "&wbname=Net&theme=2"},
      {"wbid overrides id 0", "", 12345, "0", "tk", "Net", 0, kMachine,
       "/shop/?wb_id=12345&token=tk" + q + "&wbname=Net&theme=0"},
      {"wbid overrides a real id", "", 12345, "815", "tk", "Net", 0, kMachine,
       "/shop/?wb_id=12345&token=tk" + q + "&wbname=Net&theme=0"},
      {"wbid overrides an empty id", "", 12345, "", "tk", "Net", 0, kMachine,
       "/shop/?wb_id=12345&token=tk" + q + "&wbname=Net&theme=0"},
      {"wbid written unsigned", "", -1, "815", "tk", "Net", 0, kMachine,
       "/shop/?wb_id=4294967295&token=tk" + q + "&wbname=Net&theme=0"},
      {"negative theme", "", 0, "815", "tk", "Net", -3, kMachine,
       "/shop/?wb_id=815&token=tk" + q + "&wbname=Net&theme=-3"},
      {"lowest theme", "", 0, "815", "tk", "Net", INT32_MIN, kMachine,
       "/shop/?wb_id=815&token=tk" + q + "&wbname=Net&theme=-2147483648"},
      {"raw chinese venue name", "", 0, "815", "tk", "星空网吧 1", 1, kMachine,
       "/shop/?wb_id=815&token=tk" + q + "&wbname=星空网吧 1&theme=1"},
      {"token passed unchanged", "", 0, "815", "a+b/c=", "Net", 0, kMachine,
       "/shop/?wb_id=815&token=a+b/c=" + q + "&wbname=Net&theme=0"},
  };
  for (const auto& c : cases) {
    ClientSettings settings;
    settings.url = c.url;
    settings.wbid = c.wbid;
    VenueProfile profile;
    profile.id = c.id;
    profile.token = c.token;
    profile.realname = c.realname;
    profile.skin = c.skin;
    std::string expected = c.expected[0] == '/' ? DefaultWebBase() + c.expected : c.expected;
    EXPECT_EQ(expected, BuildShopUrl(settings, profile, c.machine)) << c.name;
  }
}

TEST(ShopUrl, DefaultBaseIsAnHttpsHostWithoutSlash) {
  std::string base = DefaultWebBase();
  ASSERT_GT(base.size(), 8u);
  EXPECT_EQ("https://", base.substr(0, 8));
  EXPECT_EQ(std::string::npos, base.find('/', 8));
}

TEST(ShopUrl, MissingVenueIdGivesNoAddressAndOneErrorLine) {
  const std::string message = WideToGbk(L"网吧ID出错.");
  for (const char* id : {"0", ""}) {
    for (bool debug : {true, false}) {
      ClientSettings settings;
      settings.debug = debug;
      settings.url = "http://127.0.0.1:8080";
      VenueProfile profile;
      profile.id = id;
      profile.token = "tk";
      LogCapture log(GetModuleDir());
      EXPECT_EQ("", BuildShopUrl(settings, profile, kMachine)) << "id '" << id << "'";
      auto lines = log.NewLines();
      if (!debug) {
        EXPECT_TRUE(lines.empty()) << "id '" << id << "', debug off";
        continue;
      }
      ASSERT_EQ(1u, lines.size()) << "id '" << id << "'";
      EXPECT_TRUE(EndsWith(lines[0], LogLineEnd("ERROR", message))) << lines[0];
    }
  }
}

TEST(ShopUrl, FinishedAddressIsLoggedAtDebugLevel) {
  ClientSettings settings;
  settings.debug = true;
  VenueProfile profile;
  profile.id = "815";
  profile.token = "tk";
  LogCapture log(GetModuleDir());
  std::string url = BuildShopUrl(settings, profile, kMachine);
  auto lines = log.NewLines();
  ASSERT_EQ(1u, lines.size());
  // The percent escapes of the machine number reach the file unchanged.
  EXPECT_TRUE(EndsWith(lines[0], LogLineEnd("DEBUG", url))) << lines[0];

  settings.debug = false;
  LogCapture quiet(GetModuleDir());
  EXPECT_EQ(url, BuildShopUrl(settings, profile, kMachine));
  EXPECT_TRUE(quiet.NewLines().empty());
}

}  // namespace
