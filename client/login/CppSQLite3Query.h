#pragma once
// The rows of one executed query, read forward only. Owns its prepared statement.
#include <string>

struct sqlite3;
struct sqlite3_stmt;

class CppSQLite3Query {
 public:
  CppSQLite3Query();
  CppSQLite3Query(sqlite3* db, sqlite3_stmt* statement, bool eof, bool ownStatement = true);
  CppSQLite3Query(CppSQLite3Query&& other) noexcept;
  CppSQLite3Query& operator=(CppSQLite3Query&& other) noexcept;
  CppSQLite3Query(const CppSQLite3Query&) = delete;
  CppSQLite3Query& operator=(const CppSQLite3Query&) = delete;
  // Finalizes the statement; errors are swallowed here.
  virtual ~CppSQLite3Query();

  bool Eof() const;
  int NumFields() const;
  // SQLITE_INTEGER, SQLITE_TEXT, SQLITE_NULL... of a column of the current row.
  int FieldDataType(int field) const;
  // The column's bytes as text; the empty text for NULL.
  std::string GetStringField(int field) const;
  // The column as an integer; 0 for NULL.
  int GetIntField(int field) const;
  long long GetInt64Field(int field) const;
  bool FieldIsNull(int field) const;
  void NextRow();
  void Finalize();

 private:
  void CheckStatement() const;
  void CheckField(int field) const;

  sqlite3* db_ = nullptr;
  sqlite3_stmt* statement_ = nullptr;
  bool eof_ = true;
  int columns_ = 0;
  bool ownStatement_ = false;
};
