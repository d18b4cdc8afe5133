#include "LoginDataBase.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "ClientLog.h"
#include "ModulePath.h"
#include "TextConvert.h"

namespace {

const char kCreateInfoTable[] =
    "CREATE TABLE [InfoTable]([id] INTEGER PRIMARY KEY,[name] TEXT,[ip] TEXT,[ips] TEXT,[port] INTEGER,"
    "[token] TEXT,[hidetime] INTEGER,[position] INTEGER,[skin] INTEGET,[mini] INTEGER);";
const char kCreateToolTable[] =
    "CREATE TABLE [ToolTable]([idx] INTEGER PRIMARY KEY,[name] TEXT,[img] TEXT,[path] TEXT,[type] INTEGER,"
    "[open] INTEGER);";
const char kTableCount[] = "select count(*) from sqlite_master where type='table' and name='%s'";
// Every value is bound: a text from the service is never part of the statement.
const char kAddInfo[] =
    "REPLACE INTO InfoTable (id, name, ip, ips, port, token, hidetime, position, skin, mini) "
    "VALUES(?, ?, ?, ?, ?, ?, ?,?,?,?);";
const char kAddTool[] = "REPLACE INTO ToolTable (idx, name, img, path, type, open) VALUES(?, ?, ?, ?, ?,?);";
const char kLoadInfo[] =
    "SELECT id, name, ip, ips, port, token, hidetime, position, skin, mini FROM InfoTable;";
const char kLoadTools[] = "SELECT idx, name, img, path, type, open FROM ToolTable;";
const char kLoadLegacyId[] = "SELECT wb_id FROM WbInfoTable;";

std::string NoVenueData() { return WideToGbk(L"没有网吧数据。"); }

}  // namespace

bool IsCacheableVenueId(const std::string& id) {
  size_t start = (!id.empty() && id[0] == '-') ? 1 : 0;
  if (id.size() == start || id.size() - start > 19) return false;
  for (size_t i = start; i < id.size(); ++i) {
    if (id[i] < '0' || id[i] > '9') return false;
  }
  errno = 0;
  char* end = nullptr;
  std::strtoll(id.c_str(), &end, 10);
  return errno == 0 && end == id.c_str() + id.size();
}

LoginDataBase::LoginDataBase(const std::wstring& path, int busyTimeoutMs) {
  LogInfo(WideToAnsi(path));
  try {
    db_.SetBusyTimeout(busyTimeoutMs);
    db_.Open(WideToUtf8(path));
  } catch (...) {
    LogError("Init LoginDataBase failed.");
    return;
  }
  InitTables();
}

LoginDataBase::~LoginDataBase() = default;

void LoginDataBase::InitTables() {
  try {
    static const char* const kTables[2] = {"InfoTable", "ToolTable"};
    for (int i = 0; i < 2; ++i) {
      char sql[256] = {};
      std::snprintf(sql, sizeof sql, kTableCount, kTables[i]);
      int count = 0;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        count = db_.ExecScalar(sql);
      }
      if (count <= 0) {
        if (i == 0) {
          CreateInfoTable();
        } else {
          CreateToolTable();
        }
      }
    }
  } catch (...) {
    LogError("InitTables() failed.");
  }
}

void LoginDataBase::CreateInfoTable() {
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    db_.ExecDml(kCreateInfoTable);
  } catch (...) {
    LogError("CreateInfoTable() failed.");
  }
}

void LoginDataBase::CreateToolTable() {
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    db_.ExecDml(kCreateToolTable);
  } catch (...) {
    LogError("CreateInfoTable() failed.");
  }
}

bool LoginDataBase::Exec(const std::string& sql, const std::vector<SqlParam>& params,
                         const char* failureText) {
  try {
    std::lock_guard<std::mutex> lock(mutex_);
    db_.ExecDml(sql, params);
    return true;
  } catch (...) {
    LogError(failureText);
    return false;
  }
}

bool LoginDataBase::ClearInfoTable() { return Exec("DELETE FROM InfoTable;", {}, "ClearInfoTable failed."); }

bool LoginDataBase::ClearToolTable() { return Exec("DELETE FROM ToolTable;", {}, "ClearToolTable failed."); }

bool LoginDataBase::AddInfo(const VenueProfile& profile) {
  if (!IsCacheableVenueId(profile.id)) {
    LogError("AddInfo failed.");
    return false;
  }
  try {
    std::vector<SqlParam> params = {
        SqlParam::Integer(std::strtoll(profile.id.c_str(), nullptr, 10)),
        SqlParam::Text(profile.realname),
        SqlParam::Text(profile.service_ip),
        SqlParam::Text(profile.service_ips),
        SqlParam::Integer(profile.service_port),
        SqlParam::Text(profile.token),
        SqlParam::Integer(profile.client_hide_time),
        SqlParam::Integer(profile.client_position),
        SqlParam::Integer(profile.skin),
        SqlParam::Integer(profile.client_is_mini ? 1 : 0),
    };
    return Exec(kAddInfo, params, "AddInfo failed.");
  } catch (...) {
    LogError("AddInfo failed.");
    return false;
  }
}

bool LoginDataBase::AddTool(const ToolEntry& tool) {
  try {
    std::vector<SqlParam> params = {
        SqlParam::Integer(tool.idx), SqlParam::Text(tool.name),    SqlParam::Text(tool.img),
        SqlParam::Text(tool.path),   SqlParam::Integer(tool.type), SqlParam::Integer(tool.open ? 1 : 0),
    };
    return Exec(kAddTool, params, "AddTool failed.");
  } catch (...) {
    LogError("AddTool failed.");
    return false;
  }
}

bool LoginDataBase::LoadInfo(VenueProfile& profile) {
  try {
    LogInfo(kLoadInfo);
    std::lock_guard<std::mutex> lock(mutex_);
    CppSQLite3Query query = db_.ExecQuery(kLoadInfo);
    if (query.Eof()) {
      LogError(NoVenueData());
      return false;
    }
    // Read into a copy first: a failing column leaves the profile as it was.
    VenueProfile loaded = profile;
    loaded.id = query.GetStringField(0);
    loaded.realname = query.GetStringField(1);
    loaded.service_ip = query.GetStringField(2);
    loaded.service_ips = query.GetStringField(3);
    loaded.service_port = query.GetIntField(4);
    loaded.token = query.GetStringField(5);
    loaded.client_hide_time = query.GetIntField(6);
    loaded.client_position = query.GetIntField(7);
    loaded.skin = query.GetIntField(8);
    loaded.client_is_mini = query.GetIntField(9) != 0;
    profile = std::move(loaded);
    return true;
  } catch (...) {
    LogError("LoadInfo failed.");
    return false;
  }
}

bool LoginDataBase::LoadTools(std::vector<ToolEntry>& tools) {
  try {
    std::vector<ToolEntry> loaded;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      CppSQLite3Query query = db_.ExecQuery(kLoadTools);
      while (!query.Eof()) {
        ToolEntry tool;
        tool.idx = query.GetIntField(0);
        tool.name = query.GetStringField(1);
        tool.img = query.GetStringField(2);
        tool.path = query.GetStringField(3);
        tool.type = query.GetIntField(4);
        tool.open = query.GetIntField(5) != 0;
        loaded.push_back(std::move(tool));
        query.NextRow();
      }
    }
    tools.insert(tools.end(), loaded.begin(), loaded.end());
    return true;
  } catch (...) {
    LogError("LoadInfo failed.");
    return false;
  }
}

bool LoginDataBase::LoadLegacyId(VenueProfile& profile) {
  try {
    LogInfo(kLoadLegacyId);
    std::lock_guard<std::mutex> lock(mutex_);
    CppSQLite3Query query = db_.ExecQuery(kLoadLegacyId);
    if (query.Eof()) {
      LogError(NoVenueData());
      return false;
    }
    profile.id = query.GetStringField(0);
    return true;
  } catch (...) {
    LogError("LoadInfo failed.");
    return false;
  }
}

bool LoginDataBase::DropWbInfoTable() {
  return Exec("DROP TABLE WbInfoTable;", {}, "Delete WbInfoTable failed.");
}

bool LoginDataBase::DropGameInfoTable() {
  return Exec("DROP TABLE GameInfoTable;", {}, "Delete GameInfoTable failed.");
}

bool LoginDataBase::BeginTransaction() { return Exec("BEGIN;", {}, "BeginTransaction failed."); }

bool LoginDataBase::CommitTransaction() { return Exec("COMMIT;", {}, "CommitTransaction failed."); }

bool LoginDataBase::RollbackTransaction() { return Exec("ROLLBACK;", {}, "RollbackTransaction failed."); }

LoginDataBase& GetLoginDataBase() {
  static LoginDataBase cache(GetModuleDir() + L"User.db");
  return cache;
}
