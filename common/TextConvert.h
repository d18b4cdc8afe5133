#pragma once
// Conversions between the program's narrow texts (UTF-8, the ANSI code page, GBK) and UTF-16.
// A failed conversion yields an empty string.
#include <string>

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
// The system's ANSI code page (CP_ACP): log file names, the updater's manifest and paths.
std::string WideToAnsi(const std::wstring& wide);
std::wstring AnsiToWide(const std::string& ansi);
// GBK (code page 936) bytes, whatever the system's code page: the programs' own Chinese log texts.
std::string WideToGbk(const std::wstring& wide);
// "%d"; "0" when formatting fails.
std::string IntToString(int value);
