#pragma once
// UTF-8 / UTF-16 conversions of the engine (it shares no code with the programs that load it).
#include <string>

namespace devengine {

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
// Bytes in a Windows code page (936 for GBK pages) to UTF-16.
std::wstring CodePageToWide(const std::string& bytes, unsigned codePage);
std::string ToLowerAscii(std::string text);
std::string TrimAscii(const std::string& text);

}  // namespace devengine
