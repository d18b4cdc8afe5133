#include "VenueId.h"

bool VenueIdToLogin(const std::string& text, int32_t& id) {
  if (text.empty() || text == "0") return false;
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (text[i] - '0');
    // An id outside the 32-bit range names no venue the service could know.
    if (value > static_cast<int64_t>(INT32_MAX) + 1) return false;
  }
  if (digits == 0) return false;
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return false;
  id = static_cast<int32_t>(value);
  return true;
}
