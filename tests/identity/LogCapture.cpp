#include "LogCapture.h"

#include "TestSupport.h"

LogCapture::LogCapture(const std::wstring& programDir)
    : path_(testsupport::TodayLogPath(programDir)), start_(testsupport::ReadFileBytes(path_).size()) {}

std::vector<std::string> LogCapture::NewLines() const {
  std::string text = testsupport::ReadFileBytes(path_);
  std::vector<std::string> lines;
  if (text.size() <= start_) return lines;
  size_t pos = start_;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

std::string LogLineEnd(const std::string& level, const std::string& message) {
  return level + "  :" + message;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
