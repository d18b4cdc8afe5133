#include "SelfUpdateFiles.h"

#include <windows.h>

#include "TextConvert.h"

std::wstring TrialRecordAside(const std::string& recordBytes) {
  const std::string first = recordBytes.substr(0, recordBytes.find_first_of("\r\n"));
  for (const wchar_t* known : {kAsideName, kAsideFallbackName}) {
    if (first == WideToUtf8(known)) return known;
  }
  return std::wstring();
}

void ClearReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesW(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  }
}
