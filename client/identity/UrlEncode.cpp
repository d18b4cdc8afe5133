#include "IdentityValues.h"

std::string UrlEncode(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    // Classify by byte value: the C library's isalnum() depends on the locale and is undefined
    // for the negative chars of UTF-8 lead bytes.
    unsigned char b = static_cast<unsigned char>(c);
    bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                 b == '_' || b == '.' || b == '~';
    if (plain) {
      out += static_cast<char>(b);
    } else if (b == ' ') {
      out += '+';
    } else {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
  }
  return out;
}
