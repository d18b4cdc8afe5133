// The client's own login steps in a program folder of their own: the `request` setting, the
// debug log lines and their texts, the cache beside the executable.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "LoginServiceStub.h"
#include "TestSupport.h"

using namespace testsupport;

namespace {

std::wstring Hex(const std::string& bytes) {
  static const wchar_t digits[] = L"0123456789abcdef";
  std::wstring hex;
  for (unsigned char c : bytes) {
    hex.push_back(digits[c >> 4]);
    hex.push_back(digits[c & 15]);
  }
  return hex;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class LoginProbeRun : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(stub_.Start());
    ASSERT_TRUE(CopyTestBinary(L"orv_login_probe.exe", dir_.Path()));
  }

  void Settings(const std::string& requestSuffix, bool debug = true) {
    std::string ini = "[CONFIG]\r\ndebug=" + std::string(debug ? "1" : "0") +
                      "\r\nrequest=" + stub_.BaseUrl() + requestSuffix + "\r\n";
    ASSERT_TRUE(WriteFileBytes(dir_.File(L"Setting.ini"), ini));
  }

  // The probe's exit code.
  DWORD Run(const std::wstring& args) {
    ProcessResult result = RunProcess(dir_.File(L"orv_login_probe.exe"), args, dir_.Path(), 30000);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    return result.exitCode;
  }

  std::string Log() const { return ReadFileBytes(TodayLogPath(dir_.Path())); }

  LoginServiceStub stub_;
  TempDir dir_;
};

TEST_F(LoginProbeRun, NameGoesToTheRequestBaseAndTheExchangeIsLogged) {
  Settings("");
  stub_.Script({200, "{\"errcode\":0}", 0});
  ASSERT_EQ(0u, Run(L"name " + Hex("a&b=c+d")));
  std::vector<StubRequest> requests = stub_.Requests();
  ASSERT_EQ(1u, requests.size());
  EXPECT_EQ("/api/client/clientLogin", requests[0].path);
  EXPECT_EQ("username=a&b=c+d", requests[0].body);
  EXPECT_EQ("{\"errcode\":0}", ReadFileBytes(dir_.File(L"reply.bin")));
  std::string log = Log();
  EXPECT_TRUE(Contains(log, "DEBUG  :" + stub_.BaseUrl() + "/api/client/clientLogin\r\n")) << log;
  EXPECT_TRUE(Contains(log, "DEBUG  :username=a&b=c+d\r\n")) << log;
  EXPECT_TRUE(Contains(log, "DEBUG  :{\"errcode\":0}\r\n")) << log;
}

TEST_F(LoginProbeRun, RequestBaseWithTrailingSlashIsKeptAsGiven) {
  Settings("/");
  EXPECT_EQ(1u, Run(L"id -42"));
  std::vector<StubRequest> requests = stub_.Requests();
  ASSERT_EQ(1u, requests.size());
  EXPECT_EQ("//api/client/clientLogin", requests[0].path);
  EXPECT_EQ("id=-42", requests[0].body);
}

struct FailureCase {
  const char* label;
  std::wstring args;
  int status;
  size_t requests;
  std::string logText;  // GBK bytes
};

// The case's label, so that test names stay readable.
void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.label; }

class LoginProbeFailures : public LoginProbeRun, public testing::WithParamInterface<FailureCase> {};

TEST_P(LoginProbeFailures, LoggedInGbk) {
  Settings("");
  stub_.Script({GetParam().status, "{\"errcode\":1}", 0});
  EXPECT_EQ(1u, Run(GetParam().args));
  EXPECT_EQ(GetParam().requests, stub_.RequestCount());
  EXPECT_TRUE(Contains(Log(), "ERROR  :" + GetParam().logText + "\r\n")) << Log();
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LoginProbeFailures,
    testing::Values(
        // "Login() 用户名为空。"
        FailureCase{"EmptyName", L"name", 200, 0, "Login() \xD3\xC3\xBB\xA7\xC3\xFB\xCE\xAA\xBF\xD5\xA1\xA3"},
        // "Login() 获取数据失败。"
        FailureCase{"ServerError", L"name " + Hex("cafe"), 500, 1,
                    "Login() \xBB\xF1\xC8\xA1\xCA\xFD\xBE\xDD\xCA\xA7\xB0\xDC\xA1\xA3"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.label); });

TEST_F(LoginProbeRun, NothingIsLoggedWithoutTheDebugSwitch) {
  Settings("", false);
  EXPECT_EQ(0u, Run(L"name " + Hex("cafe")));
  EXPECT_EQ("", Log());
}

TEST_F(LoginProbeRun, AcceptedReplyIsCachedBesideTheProgram) {
  Settings("");
  std::string reply =
      "{\"errcode\":0,\"data\":{\"id\":\"12\",\"realname\":\"Cafe\",\"client_toolbar\":[{\"name\":\"a\"}]}}";
  EXPECT_EQ(1u, Run(L"load"));
  // "没有网吧数据。"
  EXPECT_TRUE(Contains(Log(), "ERROR  :\xC3\xBB\xD3\xD0\xCD\xF8\xB0\xC9\xCA\xFD\xBE\xDD\xA1\xA3\r\n"))
      << Log();
  ASSERT_EQ(0u, Run(L"parse " + Hex(reply)));
  EXPECT_TRUE(FileExists(dir_.File(L"User.db")));
  EXPECT_EQ(0u, Run(L"load"));
}

TEST_F(LoginProbeRun, RefusalMessageIsLoggedInTheAnsiCodePage) {
  Settings("");
  // "账号不存在" as UTF-8; the probe runs with code page 936, so the log gets its GBK bytes.
  std::string reply =
      "{\"errcode\":3,\"errmsg\":\"\xE8\xB4\xA6\xE5\x8F\xB7\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8\"}";
  EXPECT_EQ(1u, Run(L"parse " + Hex(reply)));
  EXPECT_EQ("\xE8\xB4\xA6\xE5\x8F\xB7\xE4\xB8\x8D\xE5\xAD\x98\xE5\x9C\xA8",
            ReadFileBytes(dir_.File(L"errmsg.bin")));
  EXPECT_TRUE(Contains(Log(), "ERROR  :\xD5\xCB\xBA\xC5\xB2\xBB\xB4\xE6\xD4\xDA\r\n")) << Log();
}

}  // namespace
