#pragma once
// A program file cut short in transfer still has a valid start: before an ".exe" or ".dll"
// replaces a working one, its headers and the raw data of every section must lie in the file.
#include <string>

// True when the file is a whole PE image: DOS header, "PE" signature, file and optional
// headers, section table and every section's raw data inside the file.
bool IsWholePeImage(const std::wstring& path);
