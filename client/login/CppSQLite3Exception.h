#pragma once
// The error raised by the SQLite wrapper classes: a code and the text "NAME[code]: message".
#include <string>

// The wrapper's own error code, for misuse that SQLite itself does not report.
constexpr int CPPSQLITE_ERROR = 1000;

class CppSQLite3Exception {
 public:
  CppSQLite3Exception(int errorCode, const std::string& errorText);
  virtual ~CppSQLite3Exception();

  int ErrorCode() const { return errorCode_; }
  const char* ErrorMessage() const { return errorMessage_.c_str(); }

  // "SQLITE_BUSY" for 5, "CPPSQLITE_ERROR" for 1000, "UNKNOWN_ERROR" for codes without a name.
  static const char* ErrorCodeAsString(int errorCode);

 private:
  int errorCode_;
  std::string errorMessage_;
};
