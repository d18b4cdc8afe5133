// Stand-in until the window base brings the toolkit's start: the current directory becomes the
// program folder and the skin package is loaded from the instance's resource, as the start
// does; there is no window base yet to record the instance for.
#include <string>

#include "SkinPackage.h"
#include "StartToolkit.h"

void StartToolkit(HINSTANCE instance) {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    std::wstring dir(path, length);
    size_t slash = dir.find_last_of(L'\\');
    if (slash != std::wstring::npos) SetCurrentDirectoryW(dir.substr(0, slash + 1).c_str());
  }
  ui::LoadSkinPackage(instance);
}
