#include <windows.h>

#include <cstdlib>
#include <string>

#include "CrashDump.h"
#include "Logger.h"
#include "ModulePath.h"
#include "UpdateKey.h"
#include "UpdaterFlow.h"

#ifdef ORV_UPDATER_FAULTS
// Test copies of the program only: faults and a shorter start-up pause from the environment.
void ApplyTestSettings(UpdaterContext& context);
#endif

namespace {

std::string HexToBytes(const char* hex) {
  std::string bytes;
  auto value = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  for (size_t i = 0; hex[i] && hex[i + 1]; i += 2)
    bytes += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
  return bytes;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // No try block here: an exception that escapes the run is dumped where it was thrown.
  InstallCrashDump();
  UpdaterContext context;
  context.programDir = GetModuleDir();
  context.updatePublicKey = HexToBytes(ORV_UPDATE_PUBLIC_KEY_HEX);
#ifdef ORV_UPDATER_FAULTS
  ApplyTestSettings(context);
#endif
  RunUpdater(__argc, __wargv, context);
  ShutdownLogger();
  RemoveCrashDump();
  return 0;
}
