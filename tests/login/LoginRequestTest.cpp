// The login exchange against the stand-in service on loopback.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "LoginService.h"
#include "LoginServiceStub.h"

namespace {

class LoginExchange : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(stub_.Start()); }

  StubRequest OnlyRequest() const {
    std::vector<StubRequest> requests = stub_.Requests();
    EXPECT_EQ(1u, requests.size());
    return requests.empty() ? StubRequest() : requests[0];
  }

  LoginServiceStub stub_;
};

struct NameCase {
  const char* label;
  std::string name;
};

// The case's label, so that test names stay readable.
void PrintTo(const NameCase& c, std::ostream* out) { *out << c.label; }

class LoginRequestByName : public LoginExchange, public testing::WithParamInterface<NameCase> {};

TEST_P(LoginRequestByName, BodyCarriesTheRawBytes) {
  std::string reply;
  ASSERT_TRUE(LoginAt(stub_.BaseUrl(), GetParam().name, reply));
  StubRequest request = OnlyRequest();
  EXPECT_EQ("POST", request.method);
  EXPECT_EQ("/api/client/clientLogin", request.path);
  EXPECT_EQ("username=" + GetParam().name, request.body);
  EXPECT_NE(std::string::npos, request.headers.find("application/x-www-form-urlencoded")) << request.headers;
  EXPECT_EQ("{}", reply);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LoginRequestByName,
    testing::Values(NameCase{"Plain", "cafe01"}, NameCase{"FormSeparators", "a&b=c+d"},
                    NameCase{"PercentAndSpace", "50% off here"},
                    // "网吧一号" as UTF-8
                    NameCase{"Chinese", "\xE7\xBD\x91\xE5\x90\xA7\xE4\xB8\x80\xE5\x8F\xB7"}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

struct IdCase {
  const char* label;
  int32_t id;
  const char* body;
};

// The case's label, so that test names stay readable.
void PrintTo(const IdCase& c, std::ostream* out) { *out << c.label; }

class LoginRequestById : public LoginExchange, public testing::WithParamInterface<IdCase> {};

TEST_P(LoginRequestById, BodyIsSignedDecimal) {
  std::string reply;
  ASSERT_TRUE(LoginAt(stub_.BaseUrl(), GetParam().id, reply));
  StubRequest request = OnlyRequest();
  EXPECT_EQ("/api/client/clientLogin", request.path);
  EXPECT_EQ(GetParam().body, request.body);
}

INSTANTIATE_TEST_SUITE_P(Ids, LoginRequestById,
                         testing::Values(IdCase{"Positive", 12, "id=12"}, IdCase{"Zero", 0, "id=0"},
                                         IdCase{"Negative", -7, "id=-7"},
                                         IdCase{"Smallest", INT32_MIN, "id=-2147483648"},
                                         IdCase{"Largest", INT32_MAX, "id=2147483647"}),
                         [](const testing::TestParamInfo<IdCase>& info) {
                           return std::string(info.param.label);
                         });

TEST_F(LoginExchange, EmptyNameFailsWithoutARequest) {
  std::string reply;
  EXPECT_FALSE(LoginAt(stub_.BaseUrl(), "", reply));
  EXPECT_FALSE(Login("", reply));
  Sleep(200);
  EXPECT_EQ(0u, stub_.RequestCount());
  EXPECT_TRUE(reply.empty());
}

TEST_F(LoginExchange, BaseEndingInSlashDoublesTheSlash) {
  std::string reply;
  // The stand-in knows only the exact path and answers anything else with 404.
  EXPECT_FALSE(LoginAt(stub_.BaseUrl() + "/", "cafe", reply));
  EXPECT_EQ("//api/client/clientLogin", OnlyRequest().path);
}

TEST(LoginBaseAddress, RequestSettingReplacesTheWholeBase) {
  EXPECT_EQ(BuiltInLoginBase(), LoginBase(""));
  EXPECT_EQ(0u, BuiltInLoginBase().rfind("http://", 0));
  EXPECT_EQ(":8393", BuiltInLoginBase().substr(BuiltInLoginBase().size() - 5));
  EXPECT_EQ("https://10.1.2.3:9000", LoginBase("https://10.1.2.3:9000"));
  EXPECT_EQ("https://10.1.2.3:9000/api/client/clientLogin", LoginAddress(LoginBase("https://10.1.2.3:9000")));
  EXPECT_EQ("http://h//api/client/clientLogin", LoginAddress("http://h/"));
}

struct OutcomeCase {
  const char* label;
  int status;
  std::string body;
  bool success;
};

// The case's label, so that test names stay readable.
void PrintTo(const OutcomeCase& c, std::ostream* out) { *out << c.label; }

class LoginOutcome : public LoginExchange, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(LoginOutcome, SuccessNeedsA2xxStatusAndABody) {
  const OutcomeCase& c = GetParam();
  stub_.Script({c.status, c.body, 0});
  std::string reply;
  EXPECT_EQ(c.success, LoginAt(stub_.BaseUrl(), "cafe", reply));
  if (c.success) {
    EXPECT_EQ(c.body, reply);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, LoginOutcome,
    testing::Values(OutcomeCase{"Ok", 200, "{}", true},
                    OutcomeCase{"OkNotJson", 200, "<html>busy</html>", true},
                    OutcomeCase{"Created", 201, "{\"errcode\":0}", true},
                    OutcomeCase{"OkEmpty", 200, "", false}, OutcomeCase{"NoContent", 204, "", false},
                    OutcomeCase{"Redirect", 302, "{\"errcode\":0}", false},
                    OutcomeCase{"NotFound", 404, "{\"errcode\":404,\"errmsg\":\"x\"}", false},
                    OutcomeCase{"ServerError", 500, "{\"errcode\":500,\"errmsg\":\"x\"}", false}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.label); });

TEST_F(LoginExchange, LargeReplyArrivesWhole) {
  std::string body = "{\"errcode\":0,\"pad\":\"" + std::string(300000, 'x') + "\"}";
  stub_.Script({200, body, 0});
  std::string reply;
  ASSERT_TRUE(LoginAt(stub_.BaseUrl(), 5, reply));
  EXPECT_EQ(body, reply);
}

TEST_F(LoginExchange, SlowAnswerWithinTheLimitSucceeds) {
  stub_.Script({200, "{}", 2000});
  std::string reply;
  EXPECT_TRUE(LoginAt(stub_.BaseUrl(), "cafe", reply));
}

TEST_F(LoginExchange, NoAnswerFailsAfterTenSeconds) {
  stub_.Script({200, "{}", -1});
  std::string reply;
  ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(LoginAt(stub_.BaseUrl(), "cafe", reply));
  ULONGLONG elapsed = GetTickCount64() - start;
  EXPECT_GE(elapsed, 9500u);
  // The ten seconds and what a busy machine adds to them; without the limit the exchange would
  // wait for as long as the stand-in stays silent.
  EXPECT_LE(elapsed, 20000u);
  EXPECT_EQ(1u, stub_.RequestCount());
}

TEST(LoginConnection, NothingListeningFails) {
  uint16_t port = 0;
  {
    LoginServiceStub stub;
    ASSERT_TRUE(stub.Start());
    port = stub.Port();
  }
  std::string reply;
  ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(LoginAt("http://127.0.0.1:" + std::to_string(port), "cafe", reply));
  EXPECT_LT(GetTickCount64() - start, 9000u);
}

}  // namespace
