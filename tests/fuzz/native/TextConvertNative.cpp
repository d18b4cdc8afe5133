// The text conversions of common/TextConvert.h for the native build: UTF-8 and wchar_t (UTF-32
// on Linux). Invalid UTF-8 yields an empty string, as the Windows conversion's failure does.
// The ANSI and GBK conversions are stood in for by UTF-8.
#include "TextConvert.h"

#include <cstdio>

std::wstring Utf8ToWide(const std::string& utf8) {
  std::wstring out;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    uint32_t cp = 0;
    size_t extra = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      cp = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      cp = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      cp = c & 0x07;
      extra = 3;
    } else {
      return std::wstring();
    }
    if (utf8.size() - i - 1 < extra) return std::wstring();
    for (size_t k = 1; k <= extra; ++k) {
      unsigned char d = static_cast<unsigned char>(utf8[i + k]);
      if ((d & 0xC0) != 0x80) return std::wstring();
      cp = (cp << 6) | (d & 0x3F);
    }
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::wstring();
    out.push_back(static_cast<wchar_t>(cp));
    i += extra + 1;
  }
  return out;
}

std::string WideToUtf8(const std::wstring& wide) {
  std::string out;
  for (wchar_t w : wide) {
    uint32_t cp = static_cast<uint32_t>(w);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::string();
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string WideToAnsi(const std::wstring& wide) { return WideToUtf8(wide); }
std::wstring AnsiToWide(const std::string& ansi) { return Utf8ToWide(ansi); }
std::string WideToGbk(const std::wstring& wide) { return WideToUtf8(wide); }

std::string IntToString(int value) {
  char buffer[16];
  int written = std::snprintf(buffer, sizeof buffer, "%d", value);
  if (written <= 0 || written >= static_cast<int>(sizeof buffer)) return "0";
  return std::string(buffer, static_cast<size_t>(written));
}
