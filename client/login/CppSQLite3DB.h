#pragma once
// One SQLite connection. Statements take their values as bound parameters, never as SQL text.
// Every operation raises CppSQLite3Exception on failure.
#include <string>
#include <vector>

#include "CppSQLite3Exception.h"
#include "CppSQLite3Query.h"

struct sqlite3;
struct sqlite3_stmt;

// One value bound to a "?" of a statement, in order.
class SqlParam {
 public:
  static SqlParam Integer(long long value);
  static SqlParam Text(const std::string& value);

  bool IsText() const { return isText_; }
  long long IntegerValue() const { return integer_; }
  const std::string& TextValue() const { return text_; }

 private:
  bool isText_ = false;
  long long integer_ = 0;
  std::string text_;
};

class CppSQLite3DB {
 public:
  CppSQLite3DB();
  CppSQLite3DB(const CppSQLite3DB&) = delete;
  CppSQLite3DB& operator=(const CppSQLite3DB&) = delete;
  // Closes the connection; errors are swallowed here.
  virtual ~CppSQLite3DB();

  // Opens (creating when missing) the file at a UTF-8 path, then sets the busy time-out.
  void Open(const std::string& utf8Path);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }

  // Runs one statement that returns no rows; the number of rows it changed.
  int ExecDml(const std::string& sql, const std::vector<SqlParam>& params = {});
  // Runs a query, positioned on its first row (or at its end when there is none).
  CppSQLite3Query ExecQuery(const std::string& sql, const std::vector<SqlParam>& params = {});
  // The first column of the first row as an integer.
  int ExecScalar(const std::string& sql, const std::vector<SqlParam>& params = {});

  // How long a statement waits for a lock held by another connection (60000 ms by default).
  void SetBusyTimeout(int milliseconds);

 private:
  void CheckDB() const;
  sqlite3_stmt* Compile(const std::string& sql, const std::vector<SqlParam>& params);

  sqlite3* db_ = nullptr;
  int busyTimeoutMs_ = 60000;
};
