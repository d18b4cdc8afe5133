#include "ModulePath.h"

#include <windows.h>

std::wstring GetModuleDir() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  std::wstring dir(path, length);
  size_t slash = dir.find_last_of(L'\\');
  if (slash == std::wstring::npos) return std::wstring();
  return dir.substr(0, slash + 1);
}
