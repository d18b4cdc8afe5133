// Pieces of the start-up sequence that decide on texts: the updater's parameters, the venue
// id used for a login by id, and the start mode.
#include <gtest/gtest.h>

#include "LoginFlow.h"
#include "StartMode.h"
#include "VenueId.h"

TEST(StartupParts, UpdaterParameters) {
  VenueProfile profile;
  profile.service_ip = "192.168.1.10";
  profile.service_port = 9000;
  EXPECT_EQ(L"start 192.168.1.10 9000", UpdaterParameters(profile));
  profile.service_ip = "\xE7\xBD\x91";  // a UTF-8 text is widened, not copied byte for byte
  profile.service_port = -1;
  EXPECT_EQ(L"start \x7F51 -1", UpdaterParameters(profile));
}

TEST(StartupParts, VenueIdForLogin) {
  struct IdCase {
    const char* text;
    bool usable;
    int32_t id;
  };
  const IdCase cases[] = {
      {"12", true, 12},
      {"  +7", true, 7},
      {"\t-3", true, -3},
      {"42abc", true, 42},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, INT32_MIN},
      {"00012", true, 12},
      {"0", false, 0},  // the profile's default: no venue
      {"", false, 0},
      {"abc", false, 0},
      {"-", false, 0},
      {"2147483648", false, 0},  // outside the 32-bit range: no venue the service could know
      {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
  };
  for (const IdCase& c : cases) {
    int32_t id = -99;
    EXPECT_EQ(c.usable, VenueIdToLogin(c.text, id)) << c.text;
    if (c.usable) {
      EXPECT_EQ(c.id, id) << c.text;
    }
  }
}

TEST(StartupParts, StartModeFromArguments) {
  const std::wstring self = L"C:\\Orvanta\\Orvanta.exe";
  EXPECT_EQ(StartMode::NoArgument, ChooseStartMode({self}));
  EXPECT_EQ(StartMode::NoArgument, ChooseStartMode({}));
  EXPECT_EQ(StartMode::Start, ChooseStartMode({self, L"start"}));
  EXPECT_EQ(StartMode::Start, ChooseStartMode({self, L"StArT", L"x", L"y"}));
  EXPECT_EQ(StartMode::BadArgument, ChooseStartMode({self, L"start "}));
  EXPECT_EQ(StartMode::BadArgument, ChooseStartMode({self, L"star"}));
  EXPECT_EQ(StartMode::BadArgument, ChooseStartMode({self, L""}));
  EXPECT_EQ(StartMode::BadArgument, ChooseStartMode({self, std::wstring(300, L's')}));
  EXPECT_EQ(StartMode::BadArgument, ChooseStartMode({self, L"x", L"start"}));
}
