// Installs the updater's crash filter, then: "crash" dereferences a null pointer, "call" asks the
// filter directly (no exception information) and ends with its answer.
#include <windows.h>

#include <string>

#include "CrashDump.h"

int wmain(int argc, wchar_t** argv) {
  std::wstring mode = argc > 1 ? argv[1] : L"";
  SetUnhandledExceptionFilter(WriteCrashDump);
  if (mode == L"crash") {
    volatile int* nothing = nullptr;
    *nothing = 1;
    return 0;
  }
  if (mode == L"call") return static_cast<int>(WriteCrashDump(nullptr));
  return 2;
}
