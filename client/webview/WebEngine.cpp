#include "WebEngine.h"

#include <windows.h>

#define ORV_WKE_DEFINE_POINTER(name, ret, params) name##Fn name = nullptr;
WKE_API_LIST(ORV_WKE_DEFINE_POINTER)
#undef ORV_WKE_DEFINE_POINTER

namespace {

// Only the UI thread calls the engine.
int64_t g_engineTicks = 0;

template <typename Fn>
void Resolve(HMODULE library, const char* name, Fn& slot) {
  slot = reinterpret_cast<Fn>(GetProcAddress(library, name));
  if (!slot) MessageBoxA(nullptr, "wke api not found", name, MB_OK);
}

}  // namespace

namespace webengine {

int64_t CounterNow() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void AddEngineCounter(int64_t ticks) { g_engineTicks += ticks; }

}  // namespace webengine

double EngineCallMs() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart != 0
             ? static_cast<double>(g_engineTicks) * 1000.0 / static_cast<double>(frequency.QuadPart)
             : 0.0;
}

bool LoadWebEngine(const std::wstring& path) {
  webengine::EngineCallTimer timer;
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
