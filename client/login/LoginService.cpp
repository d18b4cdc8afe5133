#include "LoginService.h"

#include "ClientLog.h"
#include "ClientSettings.h"
#include "CurlEasy.h"
#include "TextConvert.h"

#ifndef ORV_LOGIN_HOST
#error "ORV_LOGIN_HOST (the login service's host) must be defined by the build"
#endif

namespace {

const char kLoginPath[] = "/api/client/clientLogin";

// libcurl calls this on its own stack: nothing may be thrown back into it. Returning less than
// the block aborts the transfer, which is what running out of memory should do.
size_t ReceiveBlock(char* data, size_t size, size_t count, void* userData) {
  size_t bytes = size * count;
  try {
    static_cast<std::string*>(userData)->append(data, bytes);
    return bytes;
  } catch (...) {
    return 0;
  }
}

bool Exchange(const std::string& base, const std::string& body, std::string& reply) {
  if (PostRequest(LoginAddress(base), body, reply)) return true;
  LogError(WideToGbk(L"Login() 获取数据失败。"));
  return false;
}

}  // namespace

std::string BuiltInLoginBase() { return std::string("http://") + ORV_LOGIN_HOST + ":8393"; }

std::string LoginBase(const std::string& requestSetting) {
  return requestSetting.empty() ? BuiltInLoginBase() : requestSetting;
}

std::string LoginAddress(const std::string& base) { return base + kLoginPath; }

bool LoginAt(const std::string& base, const std::string& utf8Name, std::string& reply) {
  if (utf8Name.empty()) {
    LogError(WideToGbk(L"Login() 用户名为空。"));
    return false;
  }
  return Exchange(base, "username=" + utf8Name, reply);
}

bool LoginAt(const std::string& base, int32_t id, std::string& reply) {
  return Exchange(base, "id=" + IntToString(id), reply);
}

bool Login(const std::string& utf8Name, std::string& reply) {
  return LoginAt(LoginBase(GetClientSettings().request), utf8Name, reply);
}

bool Login(int32_t id, std::string& reply) {
  return LoginAt(LoginBase(GetClientSettings().request), id, reply);
}

bool PostRequest(const std::string& url, const std::string& body, std::string& reply) {
  try {
    CurlEasy curl;
    if (!curl) return false;
    LogDebug(url);
    LogDebug(body);
    CURL* h = curl.get();
    if (curl_easy_setopt(h, CURLOPT_POST, 1L) != CURLE_OK) return false;
    if (curl_easy_setopt(h, CURLOPT_URL, url.c_str()) != CURLE_OK) return false;
    if (curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.c_str()) != CURLE_OK) return false;
    if (curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &ReceiveBlock) != CURLE_OK) return false;
    if (curl_easy_setopt(h, CURLOPT_TIMEOUT, 10L) != CURLE_OK) return false;
    if (curl_easy_setopt(h, CURLOPT_WRITEDATA, &reply) != CURLE_OK) return false;
    if (curl_easy_perform(h) != CURLE_OK) return false;
    long status = 0;
    if (curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK) return false;
    if (status < 200 || status > 299) return false;
    if (reply.empty()) return false;
    LogDebug(reply);
    return true;
  } catch (...) {
    return false;
  }
}
