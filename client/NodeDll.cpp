#include "NodeDll.h"

#include <windows.h>

#include "ModulePath.h"
#include "WebEngine.h"

namespace {

void TellMissing() { MessageBoxW(nullptr, L"没有node.dll文件，程序退出.", L"", MB_ICONERROR | MB_OK); }

}  // namespace

bool CheckNodeDll() {
  // Only the client's own folder counts: a bare "node.dll" would be looked up along the
  // library search path.
  std::wstring dir = GetModuleDir();
  std::wstring path = dir + L"node.dll";
  if (dir.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    TellMissing();
    return false;
  }
  // A file that is not a loadable library is as good as none: no engine operation may be
  // called, and every window of the client needs the engine.
  if (!LoadWebEngine(path)) {
    TellMissing();
    return false;
  }
  return true;
}
