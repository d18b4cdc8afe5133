#include <windows.h>

#include <cstdlib>

#include "CrashDump.h"
#include "Logger.h"
#include "ModulePath.h"
#include "UpdaterFlow.h"

namespace {

// An exception that escapes the run is turned into a crash of the process, so that the filter
// writes its dump, as for any other crash.
constexpr DWORD kEscapedException = 0xE0504C47;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SetUnhandledExceptionFilter(WriteCrashDump);
  bool escaped = false;
  try {
    UpdaterContext context;
    context.programDir = GetModuleDir();
    RunUpdater(__argc, __wargv, context);
  } catch (...) {
    escaped = true;
  }
  if (escaped) RaiseException(kEscapedException, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  ShutdownLogger();
  SetUnhandledExceptionFilter(nullptr);
  return 0;
}
