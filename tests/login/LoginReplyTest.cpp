// Reading login replies into the profile and the cache.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "CppSQLite3DB.h"
#include "LoginDataBase.h"
#include "LoginReply.h"
#include "LoginTestHelpers.h"
#include "TestSupport.h"
#include "TextConvert.h"

using namespace testsupport;

namespace {

const std::string kParseFault =
    "\xE8\xA7\xA3\xE6\x9E\x90\xE7\x99\xBB\xE5\xBD\x95\xE6\x95\xB0\xE6\x8D\xAE"
    "\xE5\xBC\x82\xE5\xB8\xB8\xE3\x80\x82";  // "解析登录数据异常。"

// The profile and cache a previous accepted login left.
VenueProfile Previous() {
  VenueProfile p;
  p.errmsg = "old message";
  p.token = "old-token";
  p.service_ip = "10.0.0.1";
  p.service_ips = "10.0.0.1,10.0.0.2";
  p.service_port = 9000;
  p.client_hide_time = 30;
  p.skin = 2;
  p.id = "77";
  p.realname = "old cafe";
  p.client_is_mini = false;
  p.client_position = 3;
  p.client_toolbar = {Tool(0, "old tool", true, 1, "old.png", "C:\\old.exe")};
  return p;
}

// A full accepted reply whose data fields can be swapped one at a time.
std::string Reply(const std::string& port = "8000", const std::string& mini = "\"0\"",
                  const std::string& toolbar = "[]", const std::string& id = "\"12\"") {
  return "{\"errcode\":0,\"errmsg\":\"ok\",\"data\":{\"token\":\"tk\",\"service_ip\":\"192.168.1.5\","
         "\"service_ips\":\"192.168.1.5;192.168.1.6\",\"service_port\":" +
         port + ",\"client_hide_time\":15,\"skin\":1,\"id\":" + id +
         ",\"realname\":\"Cafe One\",\"client_is_mini\":" + mini +
         ",\"client_position\":2,\"client_toolbar\":" + toolbar + "}}";
}

// What Reply() yields in the profile, before the tool list.
VenueProfile Accepted(const VenueProfile& before) {
  VenueProfile p = before;
  p.errcode = 0;
  p.token = "tk";
  p.service_ip = "192.168.1.5";
  p.service_ips = "192.168.1.5;192.168.1.6";
  p.service_port = 8000;
  p.client_hide_time = 15;
  p.skin = 1;
  p.id = "12";
  p.realname = "Cafe One";
  p.client_is_mini = false;
  p.client_position = 2;
  return p;
}

const char kThreeTools[] =
    "[{\"id\":7,\"name\":\"Shop\",\"is_open\":\"0\",\"img\":\"a.png\",\"path\":\"C:\\\\a.exe\",\"type\":1},"
    "{\"id\":9,\"name\":\"Game\",\"is_open\":1,\"img\":\"b.png\",\"path\":\"D:\\\\b.exe\",\"type\":2},"
    "{\"id\":11,\"name\":\"Web\",\"is_open\":\"1\",\"img\":\"c.png\",\"path\":\"http://x/\",\"type\":3}]";
const char kBadMiddleTool[] =
    "[{\"name\":\"Shop\",\"is_open\":1,\"img\":\"a.png\",\"path\":\"a.exe\",\"type\":1},"
    "{\"name\":\"Game\",\"is_open\":1,\"img\":\"b.png\",\"path\":\"b.exe\",\"type\":\"2\"},"
    "{\"name\":\"Web\",\"is_open\":1,\"img\":\"c.png\",\"path\":\"c.exe\",\"type\":3}]";

struct CacheState {
  bool hasInfo = false;
  VenueProfile info;
  std::vector<ToolEntry> tools;
};

struct ReplyCase {
  const char* label;
  std::string reply;
  bool result;
  // The profile after the call, from the one before it.
  std::function<VenueProfile(const VenueProfile&)> profile;
  // The cache after the call; unset: the previous cache, untouched.
  std::function<CacheState()> cache;
};

// The case's label, so that test names stay readable.
void PrintTo(const ReplyCase& c, std::ostream* out) { *out << c.label; }

VenueProfile Unchanged(const VenueProfile& p) { return p; }

std::vector<ReplyCase> Cases() {
  return {
      {"EmptyObjectIsAccepted", "{}", true,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.token = p.service_ip = p.service_ips = p.id = p.realname = "";
         p.service_port = p.client_hide_time = p.skin = p.client_position = 0;
         p.client_is_mini = true;  // the missing value reads as "", which is not "0"
         return p;
       },
       // The id "" cannot be the cache's key: the tables are emptied and nothing stored.
       [] { return CacheState{}; }},
      {"RefusedLogin", "{\"errcode\":1,\"errmsg\":\"x\",\"data\":{\"token\":\"new\"}}", false,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.errcode = 1;
         p.errmsg = "x";
         return p;
       },
       nullptr},
      {"RefusedLoginChineseMessage",
       "{\"errcode\":-3,\"errmsg\":\"\xE8\xB4\xA6\xE5\x8F\xB7\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8\"}", false,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.errcode = -3;
         p.errmsg = "\xE8\xB4\xA6\xE5\x8F\xB7\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8";
         return p;
       },
       nullptr},
      {"NotJson", "<html>502 Bad Gateway</html>", false, Unchanged, nullptr},
      {"NestedTooDeep", std::string(5000, '[') + std::string(5000, ']'), false, Unchanged, nullptr},
      {"ErrcodeAsString", "{\"errcode\":\"0\",\"data\":{}}", false,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.errmsg = kParseFault;
         return p;
       },
       nullptr},
      {"RootIsAnArray", "[0]", false,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.errmsg = kParseFault;
         return p;
       },
       nullptr},
      {"DataIsANumber", "{\"errcode\":0,\"data\":5}", false,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.errmsg = kParseFault;
         return p;
       },
       nullptr},
      {"NegativePortStopsBeforeTheCache", Reply("-1"), false,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.errmsg = kParseFault;
         p.token = "tk";
         p.service_ip = "192.168.1.5";
         p.service_ips = "192.168.1.5;192.168.1.6";
         return p;
       },
       nullptr},
      {"FractionalPortIsCut", Reply("8000.9"), true, Accepted,
       [] {
         return CacheState{true, Accepted(VenueProfile()), {}};
       }},
      {"NumericId", Reply("8000", "\"0\"", "[]", "123"), true,
       [](const VenueProfile& before) {
         VenueProfile p = Accepted(before);
         p.id = "123";
         return p;
       },
       [] {
         VenueProfile info = Accepted(VenueProfile());
         info.id = "123";
         return CacheState{true, info, {}};
       }},
      {"ToolsNumberedByPosition", Reply("8000", "\"0\"", kThreeTools), true,
       [](const VenueProfile& before) {
         VenueProfile p = Accepted(before);
         // The list is appended to, not emptied.
         p.client_toolbar.push_back(Tool(0, "Shop", false, 1, "a.png", "C:\\a.exe"));
         p.client_toolbar.push_back(Tool(1, "Game", true, 2, "b.png", "D:\\b.exe"));
         p.client_toolbar.push_back(Tool(2, "Web", true, 3, "c.png", "http://x/"));
         return p;
       },
       [] {
         return CacheState{
             true,
             Accepted(VenueProfile()),
             {Tool(0, "Shop", false, 1, "a.png", "C:\\a.exe"), Tool(1, "Game", true, 2, "b.png", "D:\\b.exe"),
              Tool(2, "Web", true, 3, "c.png", "http://x/")}};
       }},
      {"ToolTypeAsStringKeepsEarlierTools", Reply("8000", "\"0\"", kBadMiddleTool), false,
       [](const VenueProfile& before) {
         VenueProfile p = Accepted(before);
         p.errmsg = kParseFault;
         p.client_toolbar.push_back(Tool(0, "Shop", true, 1, "a.png", "a.exe"));
         return p;
       },
       // What was stored before the fault stays stored.
       [] {
         return CacheState{true, Accepted(VenueProfile()), {Tool(0, "Shop", true, 1, "a.png", "a.exe")}};
       }},
      {"ToolbarObjectWithMembers", Reply("8000", "\"0\"", "{\"a\":{\"name\":\"x\"}}"), false,
       [](const VenueProfile& before) {
         VenueProfile p = Accepted(before);
         p.errmsg = kParseFault;
         return p;
       },
       [] {
         return CacheState{true, Accepted(VenueProfile()), {}};
       }},
      {"ToolbarStringHasNoTools", Reply("8000", "\"0\"", "\"none\""), true, Accepted,
       [] {
         return CacheState{true, Accepted(VenueProfile()), {}};
       }},
      {"ApostrophesAndSqlInTexts",
       "{\"errcode\":0,\"data\":{\"id\":\"5\",\"realname\":\"O'Brien's'); DROP TABLE InfoTable;--\","
       "\"token\":\"a'b\",\"client_is_mini\":0,\"client_toolbar\":[{\"name\":\"it's\",\"path\":\"'; DELETE "
       "FROM "
       "ToolTable;--\",\"img\":\"\",\"is_open\":0,\"type\":0}]}}",
       true,
       [](const VenueProfile& before) {
         VenueProfile p = before;
         p.token = "a'b";
         p.service_ip = p.service_ips = "";
         p.service_port = p.client_hide_time = p.skin = p.client_position = 0;
         p.id = "5";
         p.realname = "O'Brien's'); DROP TABLE InfoTable;--";
         p.client_is_mini = false;
         p.client_toolbar.push_back(Tool(0, "it's", false, 0, "", "'; DELETE FROM ToolTable;--"));
         return p;
       },
       [] {
         VenueProfile info;
         info.token = "a'b";
         info.service_ip = info.service_ips = "";
         info.id = "5";
         info.realname = "O'Brien's'); DROP TABLE InfoTable;--";
         return CacheState{true, info, {Tool(0, "it's", false, 0, "", "'; DELETE FROM ToolTable;--")}};
       }},
  };
}

class LoginReplyCases : public testing::TestWithParam<ReplyCase> {
 protected:
  void SetUp() override {
    cache_ = std::make_unique<LoginDataBase>(dir_.File(L"User.db"));
    VenueProfile previous = Previous();
    ASSERT_TRUE(cache_->AddInfo(previous));
    ASSERT_TRUE(cache_->AddTool(previous.client_toolbar[0]));
  }

  CacheState ReadCache() {
    CacheState state;
    state.hasInfo = cache_->LoadInfo(state.info);
    EXPECT_TRUE(cache_->LoadTools(state.tools));
    return state;
  }

  TempDir dir_;
  std::unique_ptr<LoginDataBase> cache_;
};

TEST_P(LoginReplyCases, ProfileAndCache) {
  const ReplyCase& c = GetParam();
  VenueProfile profile = Previous();
  EXPECT_EQ(c.result, ParseLoginReply(c.reply, profile, *cache_));
  ExpectSameProfile(c.profile(Previous()), profile);

  CacheState expected = c.cache ? c.cache() : CacheState{true, Previous(), Previous().client_toolbar};
  CacheState actual = ReadCache();
  ASSERT_EQ(expected.hasInfo, actual.hasInfo);
  if (expected.hasInfo) ExpectSameCachedFields(expected.info, actual.info);
  EXPECT_EQ(expected.tools, actual.tools);
}

INSTANTIATE_TEST_SUITE_P(Replies, LoginReplyCases, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<ReplyCase>& info) {
                           return std::string(info.param.label);
                         });

struct MiniCase {
  const char* label;
  const char* value;
  bool mini;
};

// The case's label, so that test names stay readable.
void PrintTo(const MiniCase& c, std::ostream* out) { *out << c.label; }

class LoginReplyMini : public testing::TestWithParam<MiniCase> {};

TEST_P(LoginReplyMini, OnlyTheTextZeroIsOff) {
  TempDir dir;
  LoginDataBase cache(dir.File(L"User.db"));
  VenueProfile profile;
  ASSERT_TRUE(ParseLoginReply(Reply("8000", GetParam().value), profile, cache));
  EXPECT_EQ(GetParam().mini, profile.client_is_mini);
  VenueProfile cached;
  ASSERT_TRUE(cache.LoadInfo(cached));
  EXPECT_EQ(GetParam().mini, cached.client_is_mini);
}

INSTANTIATE_TEST_SUITE_P(Values, LoginReplyMini,
                         testing::Values(MiniCase{"NumberZero", "0", false},
                                         MiniCase{"TextZero", "\"0\"", false},
                                         MiniCase{"NumberOne", "1", true}, MiniCase{"TextOne", "\"1\"", true},
                                         MiniCase{"True", "true", true}, MiniCase{"False", "false", true},
                                         MiniCase{"TextNo", "\"no\"", true}, MiniCase{"Null", "null", true}),
                         [](const testing::TestParamInfo<MiniCase>& info) {
                           return std::string(info.param.label);
                         });

// A replacement that fails for storage reasons keeps the previous cache whole.
struct StoreFaultCase {
  const char* label;
  // Run on a second connection to the file before the reply is read.
  const char* setup;
  bool holdLock;
};

// The case's label, so that test names stay readable.
void PrintTo(const StoreFaultCase& c, std::ostream* out) { *out << c.label; }

class LoginReplyStoreFault : public testing::TestWithParam<StoreFaultCase> {};

TEST_P(LoginReplyStoreFault, PreviousCacheStays) {
  TempDir dir;
  // A short busy time-out, so that a held lock fails the store quickly.
  LoginDataBase cache(dir.File(L"User.db"), 300);
  VenueProfile previous = Previous();
  ASSERT_TRUE(cache.AddInfo(previous));
  ASSERT_TRUE(cache.AddTool(previous.client_toolbar[0]));

  CppSQLite3DB other;
  other.Open(WideToUtf8(dir.File(L"User.db")));
  if (GetParam().setup[0]) other.ExecDml(GetParam().setup);
  if (GetParam().holdLock) other.ExecDml("BEGIN IMMEDIATE;");

  VenueProfile profile;
  EXPECT_TRUE(ParseLoginReply(Reply("8000", "\"0\"", kThreeTools), profile, cache));
  EXPECT_EQ("12", profile.id);
  EXPECT_EQ(3u, profile.client_toolbar.size());
  if (GetParam().holdLock) other.ExecDml("ROLLBACK;");

  VenueProfile cached;
  ASSERT_TRUE(cache.LoadInfo(cached));
  ExpectSameCachedFields(previous, cached);
  std::vector<ToolEntry> tools;
  ASSERT_TRUE(cache.LoadTools(tools));
  EXPECT_EQ(previous.client_toolbar, tools);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LoginReplyStoreFault,
    testing::Values(StoreFaultCase{"LockHeldPastBusyTimeout", "", true},
                    StoreFaultCase{"ProfileStoreFails",
                                   "CREATE TRIGGER full BEFORE INSERT ON InfoTable BEGIN SELECT "
                                   "RAISE(ABORT, 'database or disk is full'); END;",
                                   false},
                    StoreFaultCase{
                        "SecondToolStoreFails",
                        "CREATE TRIGGER full BEFORE INSERT ON ToolTable WHEN NEW.idx = 1 BEGIN SELECT "
                        "RAISE(ABORT, 'database or disk is full'); END;",
                        false}),
    [](const testing::TestParamInfo<StoreFaultCase>& info) { return std::string(info.param.label); });

}  // namespace
