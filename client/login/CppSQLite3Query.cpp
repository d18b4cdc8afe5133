#include "CppSQLite3Query.h"

#include <sqlite3.h>

#include <utility>

#include "CppSQLite3Exception.h"

CppSQLite3Query::CppSQLite3Query() = default;

CppSQLite3Query::CppSQLite3Query(sqlite3* db, sqlite3_stmt* statement, bool eof, bool ownStatement)
    : db_(db),
      statement_(statement),
      eof_(eof),
      columns_(statement ? sqlite3_column_count(statement) : 0),
      ownStatement_(ownStatement) {}

CppSQLite3Query::CppSQLite3Query(CppSQLite3Query&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)),
      statement_(std::exchange(other.statement_, nullptr)),
      eof_(std::exchange(other.eof_, true)),
      columns_(std::exchange(other.columns_, 0)),
      ownStatement_(std::exchange(other.ownStatement_, false)) {}

CppSQLite3Query& CppSQLite3Query::operator=(CppSQLite3Query&& other) noexcept {
  if (this != &other) {
    try {
      Finalize();
    } catch (...) {
    }
    db_ = std::exchange(other.db_, nullptr);
    statement_ = std::exchange(other.statement_, nullptr);
    eof_ = std::exchange(other.eof_, true);
    columns_ = std::exchange(other.columns_, 0);
    ownStatement_ = std::exchange(other.ownStatement_, false);
  }
  return *this;
}

CppSQLite3Query::~CppSQLite3Query() {
  try {
    Finalize();
  } catch (...) {
  }
}

bool CppSQLite3Query::Eof() const {
  CheckStatement();
  return eof_;
}

int CppSQLite3Query::NumFields() const {
  CheckStatement();
  return columns_;
}

int CppSQLite3Query::FieldDataType(int field) const {
  CheckField(field);
  return sqlite3_column_type(statement_, field);
}

std::string CppSQLite3Query::GetStringField(int field) const {
  CheckField(field);
  const unsigned char* text = sqlite3_column_text(statement_, field);
  if (!text) return std::string();
  // The byte count, not the first NUL: a stored text comes back whole.
  int bytes = sqlite3_column_bytes(statement_, field);
  return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes));
}

int CppSQLite3Query::GetIntField(int field) const {
  CheckField(field);
  return sqlite3_column_int(statement_, field);
}

long long CppSQLite3Query::GetInt64Field(int field) const {
  CheckField(field);
  return sqlite3_column_int64(statement_, field);
}

bool CppSQLite3Query::FieldIsNull(int field) const { return FieldDataType(field) == SQLITE_NULL; }

void CppSQLite3Query::NextRow() {
  CheckStatement();
  int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) {
    eof_ = false;
  } else if (rc == SQLITE_DONE) {
    eof_ = true;
  } else {
    std::string message = db_ ? sqlite3_errmsg(db_) : "";
    throw CppSQLite3Exception(rc, message);
  }
}

void CppSQLite3Query::Finalize() {
  if (statement_ && ownStatement_) {
    int rc = sqlite3_finalize(statement_);
    statement_ = nullptr;
    if (rc != SQLITE_OK) {
      std::string message = db_ ? sqlite3_errmsg(db_) : "";
      throw CppSQLite3Exception(rc, message);
    }
  }
  statement_ = nullptr;
}

void CppSQLite3Query::CheckStatement() const {
  if (!statement_) throw CppSQLite3Exception(CPPSQLITE_ERROR, "Null Virtual Machine pointer");
}

void CppSQLite3Query::CheckField(int field) const {
  CheckStatement();
  if (eof_ || field < 0 || field >= columns_) {
    throw CppSQLite3Exception(CPPSQLITE_ERROR, "Invalid field index requested");
  }
}
