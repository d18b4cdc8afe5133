#include "LoginFlow.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ClientLog.h"
#include "ClientSettings.h"
#include "LoginDataBase.h"
#include "LoginDialog.h"
#include "LoginReply.h"
#include "LoginService.h"
#include "ModulePath.h"
#include "MsgDialog.h"
#include "TextConvert.h"
#include "VenueId.h"

namespace {

const int kMsgOk = 0;
const int kMsgRetry = 2;
const int kResultClosed = 2;

// A failed exchange: retry or give up. True when the loop may stop (the user gave up).
bool AskAfterNetworkError() { return RunMsgDialog(L"登录出错，请检查网络.", kMsgRetry) == kResultClosed; }

void ShowRefusal() { RunMsgDialog(Utf8ToWide(GetVenueProfile().errmsg), kMsgOk); }

// A venue id from the cache, or from the legacy table when the cache has no profile.
bool CachedVenueId(int32_t& id) {
  VenueProfile& profile = GetVenueProfile();
  LoginDataBase& cache = GetLoginDataBase();
  if (!cache.LoadInfo(profile) && !cache.LoadLegacyId(profile)) return false;
  return VenueIdToLogin(profile.id, id);
}

// Asks for the venue name until one is entered. False when the dialog was closed.
bool AskVenueName(std::string& utf8Name) {
  for (;;) {
    std::wstring entered;
    if (RunLoginDialog(entered) == kResultClosed) return false;
    if (!entered.empty()) {
      utf8Name = WideToUtf8(entered);
      return true;
    }
    RunMsgDialog(L"网吧用户名不能为空，请重新输入", kMsgOk);
  }
}

}  // namespace

bool TryLogin() {
  std::string name = GetClientSettings().wbname;
  std::string reply;
  if (name.empty()) {
    int32_t id = 0;
    if (CachedVenueId(id)) {
      if (!Login(id, reply)) return AskAfterNetworkError();
      if (ParseLoginReply(reply)) return true;
      ShowRefusal();
      return false;
    }
    if (!AskVenueName(name)) return true;
  }
  if (!Login(name, reply)) return AskAfterNetworkError();
  if (!ParseLoginReply(reply)) {
    ShowRefusal();
    return false;
  }
  WriteVenueName(name);
  return true;
}

std::wstring UpdaterParameters(const VenueProfile& profile) {
  return L"start " + Utf8ToWide(profile.service_ip) + L" " + std::to_wstring(profile.service_port);
}

bool StartUpdater() {
  while (!TryLogin()) {
  }
  const VenueProfile profile = GetVenueProfile();
  if (profile.service_ip.empty() || profile.service_port == 0) return false;
  // Once the updater started, the client ends: the updater starts it again. Without its own
  // folder the client would start whatever "Pelgrix.exe" the search finds.
  std::wstring dir = GetModuleDir();
  if (dir.empty()) return true;
  std::wstring updater = dir + L"Pelgrix.exe";
  std::wstring parameters = UpdaterParameters(profile);
  const auto started = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", updater.c_str(), parameters.c_str(), nullptr, SW_SHOW));
  // An updater that cannot be started (missing, not a program) would leave nothing on the
  // screen: the client shows its own windows instead.
  if (started <= 32) {
    LogError(WideToGbk(L"更新程序无法启动，直接进入客户端. error=") + std::to_string(started));
    return false;
  }
  return true;
}

void RefreshLegacyVenue() {
  VenueProfile& profile = GetVenueProfile();
  LoginDataBase& cache = GetLoginDataBase();
  if (!cache.LoadLegacyId(profile)) return;
  if (profile.id.empty() || profile.id == "0") return;
  int32_t id = 0;
  // An id that is not a number names no venue: only the login is skipped, the legacy tables go
  // all the same.
  if (VenueIdToLogin(profile.id, id)) {
    std::string reply;
    if (Login(id, reply)) {
      ParseLoginReply(reply);
      profile.client_toolbar.clear();
    }
  }
  cache.DropWbInfoTable();
  cache.DropGameInfoTable();
}
