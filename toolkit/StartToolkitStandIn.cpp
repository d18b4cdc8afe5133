// Stand-in until the toolkit exists: it has no skin to load yet; the current directory
// becomes the program folder as the toolkit's start makes it.
#include <string>

#include "StartToolkit.h"

void StartToolkit(HINSTANCE instance) {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::wstring dir(path, length);
  size_t slash = dir.find_last_of(L'\\');
  if (slash == std::wstring::npos) return;
  SetCurrentDirectoryW(dir.substr(0, slash + 1).c_str());
}
