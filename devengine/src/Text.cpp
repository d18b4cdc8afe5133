#include "Text.h"

#include <windows.h>

namespace devengine {

std::wstring CodePageToWide(const std::string& bytes, unsigned codePage) {
  if (bytes.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
  return out;
}

std::wstring Utf8ToWide(const std::string& utf8) { return CodePageToWide(utf8, CP_UTF8); }

std::string WideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                              nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::string ToLowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string TrimAscii(const std::string& text) {
  const char* space = " \t\r\n\f\v";
  size_t b = text.find_first_not_of(space);
  if (b == std::string::npos) return std::string();
  size_t e = text.find_last_not_of(space);
  return text.substr(b, e - b + 1);
}

}  // namespace devengine
