#pragma once
// The process's log: log4cpp's root category writing to standard output and to the day file
// "log\YYYY-MM-DD.log" beside the executable. Messages are written as the bytes given and are
// never used as format templates.
#include <string>

namespace log4cpp {
class Category;
}

enum class LogLevel { Error, Info, Debug };

class Logger {
 public:
  Logger();
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  void Write(LogLevel level, const std::string& message) noexcept;

 private:
  log4cpp::Category& root_;
};

// The process's logger, built on first use (which creates the log folder and the day file).
Logger& GetLogger();
// True once GetLogger() has built the logger.
bool LoggerExists();
// Shuts log4cpp down and releases the logger, if it was built. The updater's last step.
void ShutdownLogger();

// The day file's name for a directory (ANSI code page) and a date, "%s%04d-%02d-%02d.log",
// cut to 259 bytes.
std::string DayLogFileName(const std::string& ansiDir, int year, int month, int day);
