#pragma once
// The local cache "User.db": the last accepted venue profile and its tool list, so that the
// client can start without the network. One connection; one mutex serialises its statements.
// Every operation catches every error and reports it by its result and one log line.
#include <mutex>
#include <string>
#include <vector>

#include "CppSQLite3DB.h"
#include "VenueProfile.h"

class LoginDataBase {
 public:
  static constexpr int kDefaultBusyTimeoutMs = 60000;

  // Opens (or creates) the file and creates the missing tables.
  explicit LoginDataBase(const std::wstring& path, int busyTimeoutMs = kDefaultBusyTimeoutMs);
  LoginDataBase(const LoginDataBase&) = delete;
  LoginDataBase& operator=(const LoginDataBase&) = delete;
  virtual ~LoginDataBase();

  void InitTables();
  void CreateInfoTable();
  void CreateToolTable();

  bool ClearInfoTable();
  bool ClearToolTable();
  // Fails (and stores nothing) when the profile's id is not a decimal integer.
  bool AddInfo(const VenueProfile& profile);
  bool AddTool(const ToolEntry& tool);

  // Reads the first InfoTable row into the profile; false when there is none.
  bool LoadInfo(VenueProfile& profile);
  // Appends every cached tool, in idx order, to the list.
  bool LoadTools(std::vector<ToolEntry>& tools);
  // Reads the venue id left by an earlier client in WbInfoTable.
  bool LoadLegacyId(VenueProfile& profile);
  bool DropWbInfoTable();
  bool DropGameInfoTable();

  // Groups the statements of one cache replacement, so that a replacement that fails for
  // storage reasons (disk full, a lock held past the busy time-out) leaves the previous cache.
  bool BeginTransaction();
  bool CommitTransaction();
  bool RollbackTransaction();

 private:
  bool Exec(const std::string& sql, const std::vector<SqlParam>& params, const char* failureText);

  CppSQLite3DB db_;
  std::mutex mutex_;
};

// True when the venue id can be stored as the cache's integer key (optional "-", then digits,
// within 64 bits).
bool IsCacheableVenueId(const std::string& id);

// The process's cache at program folder + "User.db", opened on first use.
LoginDataBase& GetLoginDataBase();
