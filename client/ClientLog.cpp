#include "ClientLog.h"

#include "ClientSettings.h"
#include "Logger.h"

namespace {
void Write(LogLevel level, const std::string& message) {
  if (!GetClientSettings().debug) return;
  GetLogger().Write(level, message);
}
}  // namespace

void LogError(const std::string& message) { Write(LogLevel::Error, message); }
void LogInfo(const std::string& message) { Write(LogLevel::Info, message); }
void LogDebug(const std::string& message) { Write(LogLevel::Debug, message); }
