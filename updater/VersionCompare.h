#pragma once
#include <string>

// True when the local version is at least as new as the server's (nothing to fetch); false when
// the server's is newer or a part the comparison reaches is not a number.
bool IsUpToDate(const std::string& server, const std::string& local);

// Reads a number the way std::stoi / std::stoul do in base 10 (leading white space, a sign,
// digits; the rest ignored), without throwing. False when there are no digits or the value is
// out of range.
bool ParseLeadingInt(const std::string& text, int& value);
bool ParseLeadingUint32(const std::string& text, unsigned long& value);
