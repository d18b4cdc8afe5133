#include "Logger.h"

#include <windows.h>

#include <log4cpp/Category.hh>
#include <log4cpp/FileAppender.hh>
#include <log4cpp/OstreamAppender.hh>
#include <log4cpp/PatternLayout.hh>
#include <log4cpp/Priority.hh>

#include <cstdio>
#include <iostream>
#include <memory>

#include "ModulePath.h"
#include "TextConvert.h"

namespace {

const char kPattern[] = "%d: %p %c %x:%m%n";

std::unique_ptr<Logger>& LoggerSlot() {
  static std::unique_ptr<Logger> logger;
  return logger;
}

log4cpp::PatternLayout* MakeLayout() {
  auto* layout = new log4cpp::PatternLayout();
  layout->setConversionPattern(kPattern);
  return layout;
}

}  // namespace

std::string DayLogFileName(const std::string& ansiDir, int year, int month, int day) {
  char name[260] = {};
  std::snprintf(name, sizeof name, "%s%04d-%02d-%02d.log", ansiDir.c_str(), year, month, day);
  return name;
}

Logger::Logger() : root_(log4cpp::Category::getRoot()) {
  // Appenders own their layouts; the category owns its appenders.
  auto* console = new log4cpp::OstreamAppender("osAppender", &std::cout);
  console->setLayout(MakeLayout());

  root_.addAppender(console);
  // Without its program folder (a path too long for the fixed buffers) the log stays on the
  // console rather than landing in the current folder.
  const std::wstring programDir = GetModuleDir();
  if (!programDir.empty()) {
    std::wstring logDir = programDir + L"log\\";
    CreateDirectoryW(logDir.c_str(), nullptr);  // usually exists already; any failure is ignored

    SYSTEMTIME now = {};
    GetLocalTime(&now);
    std::string fileName = DayLogFileName(WideToAnsi(logDir), now.wYear, now.wMonth, now.wDay);
    auto* file = new log4cpp::FileAppender("fileAppender", fileName, true, 0644);
    file->setLayout(MakeLayout());
    root_.addAppender(file);
  }
  root_.setPriority(log4cpp::Priority::DEBUG);
}

void Logger::Write(LogLevel level, const std::string& message) noexcept {
  try {
    switch (level) {
      case LogLevel::Error:
        root_.log(log4cpp::Priority::ERROR, message);
        break;
      case LogLevel::Info:
        root_.log(log4cpp::Priority::INFO, message);
        break;
      case LogLevel::Debug:
        root_.log(log4cpp::Priority::DEBUG, message);
        break;
    }
  } catch (...) {
    // Logging never stops or fails a program: a line that cannot be written is lost.
  }
}

Logger& GetLogger() {
  auto& slot = LoggerSlot();
  if (!slot) slot = std::make_unique<Logger>();
  return *slot;
}

bool LoggerExists() { return LoggerSlot() != nullptr; }

void ShutdownLogger() {
  auto& slot = LoggerSlot();
  if (!slot) return;
  log4cpp::Category::shutdown();
  slot.reset();
}
