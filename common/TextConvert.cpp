#include "TextConvert.h"

#include <windows.h>

#include <cstdio>

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string ToNarrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                   nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0], length, nullptr,
                      nullptr);
  return narrow;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }
std::string WideToUtf8(const std::wstring& wide) { return ToNarrow(CP_UTF8, wide); }
std::string WideToAnsi(const std::wstring& wide) { return ToNarrow(CP_ACP, wide); }
std::wstring AnsiToWide(const std::string& ansi) { return ToWide(CP_ACP, ansi); }
std::string WideToGbk(const std::wstring& wide) { return ToNarrow(936, wide); }

std::string IntToString(int value) {
  char buffer[16];
  int written = std::snprintf(buffer, sizeof buffer, "%d", value);
  if (written <= 0 || written >= static_cast<int>(sizeof buffer)) return "0";
  return std::string(buffer, static_cast<size_t>(written));
}
