#include "WebEngine.h"

#include <windows.h>

#define ORV_WKE_DEFINE_POINTER(name, ret, params) name##Fn name = nullptr;
WKE_API_LIST(ORV_WKE_DEFINE_POINTER)
#undef ORV_WKE_DEFINE_POINTER

namespace {

template <typename Fn>
void Resolve(HMODULE library, const char* name, Fn& slot) {
  slot = reinterpret_cast<Fn>(GetProcAddress(library, name));
  if (!slot) MessageBoxA(nullptr, "wke api not found", name, MB_OK);
}

}  // namespace

bool LoadWebEngine(const std::wstring& path) {
  // The library is never unloaded: the engine may still run threads of its own when the
  // process ends, and unloading its code under them would crash the exit.
  HMODULE library = LoadLibraryW(path.c_str());
  if (!library) return false;

  // The engine wants its initialisation before anything else is asked of it.
  auto initialize = reinterpret_cast<wkeInitializeExFn>(GetProcAddress(library, "wkeInitializeEx"));
  if (initialize) initialize(nullptr);

#define ORV_WKE_RESOLVE(name, ret, params) Resolve(library, #name, name);
  WKE_API_LIST(ORV_WKE_RESOLVE)
#undef ORV_WKE_RESOLVE
  return true;
}

void FinalizeWebEngine() {
  if (wkeFinalize) wkeFinalize();
}
