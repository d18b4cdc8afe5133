#include "EngineLibrary.h"

#include "TestPaths.h"

EngineLibrary& Engine() {
  static EngineLibrary* engine = [] {
    auto* e = new EngineLibrary;
    e->module = LoadLibraryW((std::wstring(ORV_TEST_DIST_DIR) + L"node.dll").c_str());
    if (!e->module) return e;
#define ORV_ENGINE_RESOLVE(name, ret, params)                                      \
  e->name = reinterpret_cast<decltype(e->name)>(GetProcAddress(e->module, #name)); \
  if (!e->name) e->missing.push_back(#name);
    WKE_API_LIST(ORV_ENGINE_RESOLVE)
#undef ORV_ENGINE_RESOLVE
    return e;
  }();
  return *engine;
}
