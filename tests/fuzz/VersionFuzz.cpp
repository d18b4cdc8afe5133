// Version comparison and the number reading behind it: two versions split at the first newline.
// The number reading is checked against the C library's strtoll.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "VersionCompare.h"

namespace {

void CheckAgainstStrtoll(const std::string& text) {
  if (text.find('\0') != std::string::npos) return;
  int value = 0;
  bool ok = ParseLeadingInt(text, value);
  errno = 0;
  char* end = nullptr;
  long long expected = std::strtoll(text.c_str(), &end, 10);
  bool expectOk = end != text.c_str() && errno == 0 && expected >= INT_MIN && expected <= INT_MAX;
  if (ok != expectOk || (ok && value != expected)) std::abort();
  unsigned long size = 0;
  if (ParseLeadingUint32(text, size) && size > 0xFFFFFFFFul) std::abort();
}

// Every part, as the comparison cuts them at ".", reads as a number.
bool AllPartsNumbers(const std::string& version) {
  size_t start = 0;
  for (;;) {
    const size_t dot = version.find('.', start);
    int value = 0;
    if (!ParseLeadingInt(version.substr(start, dot == std::string::npos ? std::string::npos : dot - start),
                         value))
      return false;
    if (dot == std::string::npos) return true;
    start = dot + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  size_t newline = text.find('\n');
  std::string server = text.substr(0, newline);
  std::string local = newline == std::string::npos ? std::string() : text.substr(newline + 1);
  // The same text is always up to date; of two versions whose parts all are numbers, at least
  // one is as new as the other.
  if (!IsUpToDate(server, server)) std::abort();
  if (!IsUpToDate(server, local) && !IsUpToDate(local, server) && AllPartsNumbers(server) &&
      AllPartsNumbers(local)) {
    std::abort();
  }
  CheckAgainstStrtoll(server);
  CheckAgainstStrtoll(local);
  return 0;
}
