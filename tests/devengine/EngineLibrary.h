#pragma once
// "node.dll" loaded as the client loads it: LoadLibraryW, then one GetProcAddress per operation
// of the interface list.
#include <string>
#include <vector>

#include "WebEngineApi.h"

struct EngineLibrary {
#define ORV_ENGINE_POINTER(name, ret, params) ret(__cdecl* name) params = nullptr;
  WKE_API_LIST(ORV_ENGINE_POINTER)
#undef ORV_ENGINE_POINTER
  HMODULE module = nullptr;
  std::vector<std::string> missing;
};

// The process's engine, loaded from the dist folder on first use (never unloaded).
EngineLibrary& Engine();
