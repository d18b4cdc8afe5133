// Installs the updater's crash filter, then: "crash" raises an access violation, "call" asks the
// filter directly (no exception information) and ends with its answer.
#include <windows.h>

#include <string>

#include "CrashDump.h"

int wmain(int argc, wchar_t** argv) {
  std::wstring mode = argc > 1 ? argv[1] : L"";
  SetUnhandledExceptionFilter(WriteCrashDump);
  if (mode == L"crash") {
    // Raised rather than caused: under qemu's user-mode emulator a page fault reaches Wine's
    // 32-bit side without its trap number and is reported as an illegal instruction. The
    // filter's path is the same either way.
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return 0;
  }
  if (mode == L"call") return static_cast<int>(WriteCrashDump(nullptr));
  return 2;
}
