#include "LogCapture.h"

#include "TestSupport.h"

LogCapture::LogCapture(const std::wstring& programDir)
    : path_(testsupport::TodayLogPath(programDir)), start_(testsupport::ReadFileBytes(path_).size()) {}

std::vector<std::string> LogCapture::NewLines() const {
  std::string text = testsupport::ReadFileBytes(path_);
  if (text.size() <= start_) return {};
  return testsupport::SplitLines(text.substr(start_));
}

std::string LogLineEnd(const std::string& level, const std::string& message) {
  return level + "  :" + message;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
