// Logs as its first argument says, then ends. Used by the logging tests.
#include <windows.h>

#include <string>

#include "ClientLog.h"
#include "Logger.h"
#include "ScopeTimer.h"

namespace {

uint32_t FakeTicks() {
  // Opens just before the 32-bit tick counter wraps and closes 512 ms later.
  static int calls = 0;
  return calls++ == 0 ? 0xFFFFFF00u : 0x100u;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring mode = argc > 1 ? argv[1] : L"";
  if (mode == L"touch") {
    GetLogger();
  } else if (mode == L"samples") {
    Logger& log = GetLogger();
    log.Write(LogLevel::Debug, "plain message");
    log.Write(LogLevel::Info, "addr=a%20b%2Fc 100% %d %s %n");
    log.Write(LogLevel::Error, "\xD6\xD0\xCE\xC4");  // GBK bytes of a Chinese word
  } else if (mode == L"updater") {
    GetLogger().Write(LogLevel::Debug, "from the updater");
    ShutdownLogger();
  } else if (mode == L"client") {
    LogDebug("from the client");
  } else if (mode == L"timer") {
    ScopeTimer timer("Wrap", &FakeTicks);
  } else {
    return 2;
  }
  return 0;
}
