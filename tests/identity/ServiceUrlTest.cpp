#include <gtest/gtest.h>

#include <string>

#include "LogCapture.h"
#include "ModulePath.h"
#include "PageAddress.h"

namespace {

struct ServiceCase {
  const char* name;
  ServicePage page;
  std::string url1, url2, url3;
  std::string token;
  std::string expected;  // starting with "/": after the default base
};

TEST(ServiceUrl, DefaultsAndOverridesWithTheQueryAfterTheFragment) {
  const ServiceCase cases[] = {
      {"call default", ServicePage::Call, "", "", "", "tk",
       "/shop_ext/#/call_network_manage/?token=tk&machine_no=PC+01"},
      {"message default", ServicePage::Message, "", "", "", "tk",
       "/shop_ext/#/netbar_message/?token=tk&machine_no=PC+01"},
      {"karaoke default", ServicePage::Karaoke, "", "", "", "tk",
       "/shop_ext/#/karaoke/?token=tk&machine_no=PC+01"},
      {"call override", ServicePage::Call, "http://127.0.0.1:9/c#/x", "http://127.0.0.1:9/m",
       "http://127.0.0.1:9/k", "tk", "http://127.0.0.1:9/c#/x/?token=tk&machine_no=PC+01"},
      {"message override", ServicePage::Message, "http://127.0.0.1:9/c", "http://127.0.0.1:9/m",
       "http://127.0.0.1:9/k", "tk", "http://127.0.0.1:9/m/?token=tk&machine_no=PC+01"},
      {"karaoke override", ServicePage::Karaoke, "http://127.0.0.1:9/c", "http://127.0.0.1:9/m",
       "http://127.0.0.1:9/k", "tk", "http://127.0.0.1:9/k/?token=tk&machine_no=PC+01"},
      {"another page's override leaves call alone", ServicePage::Call, "", "http://127.0.0.1:9/m", "", "tk",
       "/shop_ext/#/call_network_manage/?token=tk&machine_no=PC+01"},
      {"another page's override leaves karaoke alone", ServicePage::Karaoke, "", "http://127.0.0.1:9/m", "",
       "tk", "/shop_ext/#/karaoke/?token=tk&machine_no=PC+01"},
      {"empty token keeps its key", ServicePage::Message, "", "", "", "",
       "/shop_ext/#/netbar_message/?token=&machine_no=PC+01"},
  };
  for (const auto& c : cases) {
    ClientSettings settings;
    settings.url1 = c.url1;
    settings.url2 = c.url2;
    settings.url3 = c.url3;
    settings.url = "http://127.0.0.1:9/not-for-services";
    VenueProfile profile;  // venue id "0": no check is made for the service pages
    profile.token = c.token;
    std::string expected = c.expected[0] == '/' ? DefaultWebBase() + c.expected : c.expected;
    EXPECT_EQ(expected, BuildServiceUrl(c.page, settings, profile, "PC+01")) << c.name;
  }
}

TEST(ServiceUrl, AddressIsLoggedAtInfoLevel) {
  ClientSettings settings;
  settings.debug = true;
  VenueProfile profile;
  profile.token = "tk";
  LogCapture log(GetModuleDir());
  std::string url = BuildServiceUrl(ServicePage::Karaoke, settings, profile, "%E7%BD%91-01");
  auto lines = log.NewLines();
  ASSERT_EQ(1u, lines.size());
  EXPECT_TRUE(EndsWith(lines[0], LogLineEnd("INFO", url))) << lines[0];

  settings.debug = false;
  LogCapture quiet(GetModuleDir());
  BuildServiceUrl(ServicePage::Karaoke, settings, profile, "%E7%BD%91-01");
  EXPECT_TRUE(quiet.NewLines().empty());
}

}  // namespace
