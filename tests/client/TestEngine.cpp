// A stand-in web engine library for the loader tests: every operation of the list does
// nothing. wkeInitializeEx and wkeFinalize append their names to "wke-calls.txt" beside the
// library, so that a test can see that and when the client called them. Built three times:
// complete, without wkeReload (ORV_TEST_ENGINE_MISSING), and without wkeInitializeEx
// (ORV_TEST_ENGINE_NO_INIT).
#include <windows.h>

#include <cstring>

#include "UniqueHandle.h"
#include "WebEngineApi.h"

#ifdef ORV_TEST_ENGINE_MISSING
#define wkeReload wkeReload_absent
#endif
#ifdef ORV_TEST_ENGINE_NO_INIT
#define wkeInitializeEx wkeInitializeEx_absent
#endif

namespace {

template <typename T>
T Nothing() {
  return T();
}

bool IsRecorded(const char* name) {
  return strcmp(name, "wkeInitializeEx") == 0 || strcmp(name, "wkeFinalize") == 0;
}

void Record(const char* name) {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&Record), &self);
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  wchar_t* slash = wcsrchr(path, L'\\');
  if (!slash) return;
  wcscpy(slash + 1, L"wke-calls.txt");
  UniqueHandle file(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr));
  if (!file) return;
  DWORD written = 0;
  WriteFile(file.Get(), name, static_cast<DWORD>(strlen(name)), &written, nullptr);
  WriteFile(file.Get(), "\n", 1, &written, nullptr);
}

}  // namespace

// The list's parameter names are unused by the stubs.
#pragma GCC diagnostic ignored "-Wunused-parameter"

extern "C" {

#define ORV_TEST_STUB(name, ret, params)          \
  __declspec(dllexport) ret __cdecl name params { \
    if (IsRecorded(#name)) Record(#name);         \
    return Nothing<ret>();                        \
  }
WKE_API_LIST(ORV_TEST_STUB)

}  // extern "C"
