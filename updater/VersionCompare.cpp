#include "VersionCompare.h"

#include <cstdint>
#include <vector>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Leading white space, optional sign, digits; the magnitude is capped so that it cannot overflow.
bool ParseLeading(const std::string& text, bool& negative, uint64_t& magnitude) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  size_t digits = 0;
  magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    if (magnitude <= 0xFFFFFFFFFFull) magnitude = magnitude * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  return digits > 0;
}

std::vector<std::string> SplitParts(const std::string& version) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t dot = version.find('.', start);
    parts.push_back(version.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

}  // namespace

bool ParseLeadingInt(const std::string& text, int& value) {
  bool negative = false;
  uint64_t magnitude = 0;
  if (!ParseLeading(text, negative, magnitude)) return false;
  if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull) return false;
  value = negative ? static_cast<int>(-static_cast<int64_t>(magnitude)) : static_cast<int>(magnitude);
  return true;
}

bool ParseLeadingUint32(const std::string& text, unsigned long& value) {
  bool negative = false;
  uint64_t magnitude = 0;
  // A size is never negative: "-1" is refused rather than wrapped round as std::stoul would.
  if (!ParseLeading(text, negative, magnitude) || negative || magnitude > 0xFFFFFFFFull) return false;
  value = static_cast<unsigned long>(magnitude);
  return true;
}

bool IsUpToDate(const std::string& server, const std::string& local) {
  // The same text is the same version, whether or not its parts are numbers: otherwise a
  // version such as "2.0.0.1." would be fetched again at every run, the updater's own for ever.
  if (server == local) return true;
  std::vector<std::string> serverParts = SplitParts(server);
  std::vector<std::string> localParts = SplitParts(local);
  size_t count = serverParts.size() > localParts.size() ? serverParts.size() : localParts.size();
  for (size_t i = 0; i < count; ++i) {
    // Once the shorter version has run out, its missing parts count as 0: 4.0.1 equals 4.0.1.0
    // and is older than 4.0.1.2. The longer version's parts must still be numbers.
    int serverValue = 0;
    int localValue = 0;
    if (i < serverParts.size() && !ParseLeadingInt(serverParts[i], serverValue)) return false;
    if (i < localParts.size() && !ParseLeadingInt(localParts[i], localValue)) return false;
    if (localValue > serverValue) return true;
    if (localValue < serverValue) return false;
  }
  return true;
}
