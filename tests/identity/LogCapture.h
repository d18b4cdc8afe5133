#pragma once
// The lines a piece of code adds to a program folder's day log.
#include <string>
#include <vector>

class LogCapture {
 public:
  // Remembers how long the day log of the folder (with trailing backslash) is now.
  explicit LogCapture(const std::wstring& programDir);
  // The lines written since, without their line ends.
  std::vector<std::string> NewLines() const;

 private:
  std::wstring path_;
  size_t start_;
};

// The ending of a line with the given level and message under the pattern "%d: %p %c %x:%m%n"
// (empty category and context), e.g. "ERROR  :text".
std::string LogLineEnd(const std::string& level, const std::string& message);
bool EndsWith(const std::string& text, const std::string& end);
