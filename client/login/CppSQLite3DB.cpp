#include "CppSQLite3DB.h"

#include <sqlite3.h>

#include <climits>

SqlParam SqlParam::Integer(long long value) {
  SqlParam param;
  param.integer_ = value;
  return param;
}

SqlParam SqlParam::Text(const std::string& value) {
  SqlParam param;
  param.isText_ = true;
  param.text_ = value;
  return param;
}

namespace {

// Finalizes a statement that never reached a CppSQLite3Query.
struct StatementGuard {
  sqlite3_stmt* statement;
  ~StatementGuard() {
    if (statement) sqlite3_finalize(statement);
  }
};

}  // namespace

CppSQLite3DB::CppSQLite3DB() = default;

CppSQLite3DB::~CppSQLite3DB() {
  try {
    Close();
  } catch (...) {
  }
}

void CppSQLite3DB::Open(const std::string& utf8Path) {
  if (db_) Close();
  sqlite3* db = nullptr;
  int rc = sqlite3_open(utf8Path.c_str(), &db);
  if (rc != SQLITE_OK) {
    std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    // SQLite hands out a connection even when the open fails; it must still be closed.
    sqlite3_close(db);
    throw CppSQLite3Exception(rc, message);
  }
  db_ = db;
  SetBusyTimeout(busyTimeoutMs_);
}

void CppSQLite3DB::Close() {
  if (!db_) return;
  if (sqlite3_close(db_) != SQLITE_OK) {
    throw CppSQLite3Exception(CPPSQLITE_ERROR, "Unable to close database");
  }
  db_ = nullptr;
}

void CppSQLite3DB::SetBusyTimeout(int milliseconds) {
  busyTimeoutMs_ = milliseconds;
  if (db_) sqlite3_busy_timeout(db_, milliseconds);
}

void CppSQLite3DB::CheckDB() const {
  if (!db_) throw CppSQLite3Exception(CPPSQLITE_ERROR, "Database not open");
}

sqlite3_stmt* CppSQLite3DB::Compile(const std::string& sql, const std::vector<SqlParam>& params) {
  CheckDB();
  sqlite3_stmt* statement = nullptr;
  if (sql.size() > static_cast<size_t>(INT_MAX))
    throw CppSQLite3Exception(SQLITE_TOOBIG, "statement too long");
  int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
  if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite3_errmsg(db_));
  StatementGuard guard{statement};
  int index = 1;
  for (const SqlParam& param : params) {
    if (param.IsText()) {
      const std::string& text = param.TextValue();
      if (text.size() > static_cast<size_t>(INT_MAX))
        throw CppSQLite3Exception(SQLITE_TOOBIG, "value too long");
      // With its byte count, so that a text is stored exactly as given.
      rc = sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    } else {
      rc = sqlite3_bind_int64(statement, index, param.IntegerValue());
    }
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite3_errmsg(db_));
    ++index;
  }
  guard.statement = nullptr;
  return statement;
}

int CppSQLite3DB::ExecDml(const std::string& sql, const std::vector<SqlParam>& params) {
  StatementGuard guard{Compile(sql, params)};
  int rc;
  while ((rc = sqlite3_step(guard.statement)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) throw CppSQLite3Exception(rc, sqlite3_errmsg(db_));
  return sqlite3_changes(db_);
}

CppSQLite3Query CppSQLite3DB::ExecQuery(const std::string& sql, const std::vector<SqlParam>& params) {
  StatementGuard guard{Compile(sql, params)};
  int rc = sqlite3_step(guard.statement);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw CppSQLite3Exception(rc, sqlite3_errmsg(db_));
  sqlite3_stmt* statement = guard.statement;
  guard.statement = nullptr;
  return CppSQLite3Query(db_, statement, rc == SQLITE_DONE);
}

int CppSQLite3DB::ExecScalar(const std::string& sql, const std::vector<SqlParam>& params) {
  CppSQLite3Query query = ExecQuery(sql, params);
  if (query.Eof() || query.NumFields() < 1) {
    throw CppSQLite3Exception(CPPSQLITE_ERROR, "Invalid scalar query");
  }
  return query.GetIntField(0);
}
