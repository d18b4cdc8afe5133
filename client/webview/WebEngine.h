#pragma once
// The web engine's process-wide function table and its loader. Each operation of
// WKE_API_LIST is a pointer named after the engine's own function. A pointer stays null until
// LoadWebEngine found the function in "node.dll"; callers go through WkeCall(wkeLoadURL, view,
// url), so that an operation the library lacks is skipped instead of called.
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "WebEngineApi.h"

#define ORV_WKE_DECLARE_POINTER(name, ret, params) \
  typedef ret(__cdecl* name##Fn) params;           \
  extern name##Fn name;
WKE_API_LIST(ORV_WKE_DECLARE_POINTER)
#undef ORV_WKE_DECLARE_POINTER

// Time the UI thread spent inside engine operations (WkeCall and the loader), in milliseconds:
// the start's timing lines keep the engine's share apart from the client's own.
double EngineCallMs();

namespace webengine {
int64_t CounterNow();
void AddEngineCounter(int64_t ticks);
// Adds the time of its scope to EngineCallMs.
class EngineCallTimer {
 public:
  EngineCallTimer() : start_(CounterNow()) {}
  ~EngineCallTimer() { AddEngineCounter(CounterNow() - start_); }
  EngineCallTimer(const EngineCallTimer&) = delete;
  EngineCallTimer& operator=(const EngineCallTimer&) = delete;

 private:
  int64_t start_;
};
}  // namespace webengine

// Calls an engine operation through its pointer when the loader found it. A library that lacked
// the operation was reported at load; the call is then skipped and answers the zero value of the
// operation's result (null, 0 or false).
template <typename Fn, typename... Args>
auto WkeCall(Fn fn, Args&&... args) -> decltype(fn(std::forward<Args>(args)...)) {
  using Result = decltype(fn(std::forward<Args>(args)...));
  if (fn == nullptr) {
    if constexpr (std::is_void_v<Result>) {
      return;
    } else {
      return Result{};
    }
  }
  webengine::EngineCallTimer timer;
  return fn(std::forward<Args>(args)...);
}

// Loads the engine library at the full path, starts it (wkeInitializeEx, no settings) and
// resolves every operation by name. A name the library lacks is reported with a message box
// naming it and stays null. False when the library cannot be loaded; nothing is resolved then.
bool LoadWebEngine(const std::wstring& path);

// Calls wkeFinalize when the loader found it.
void FinalizeWebEngine();
