#include <windows.h>

#include <cstdlib>

#include "CrashDump.h"
#include "Logger.h"
#include "ModulePath.h"
#include "UpdaterFlow.h"

#ifdef ORV_UPDATER_FAULTS
// Test copies of the program only: faults and a shorter start-up pause from the environment.
void ApplyTestSettings(UpdaterContext& context);
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // No try block here: an exception that escapes the run is dumped where it was thrown.
  InstallCrashDump();
  UpdaterContext context;
  context.programDir = GetModuleDir();
#ifdef ORV_UPDATER_FAULTS
  ApplyTestSettings(context);
#endif
  RunUpdater(__argc, __wargv, context);
  ShutdownLogger();
  RemoveCrashDump();
  return 0;
}
