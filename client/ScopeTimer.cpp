#include "ScopeTimer.h"

#include <windows.h>

#include "ClientLog.h"
#include "Logger.h"

namespace {
uint32_t SystemTicks() { return GetTickCount(); }
}  // namespace

ScopeTimer::ScopeTimer(std::string name, TickSource ticks)
    : ticks_(ticks ? ticks : &SystemTicks), start_(ticks_()), name_(std::move(name)) {
  GetLogger();
  LogDebug(name_ + " start.");
}

ScopeTimer::~ScopeTimer() {
  LogDebug(name_ + " time: " + std::to_string(TickElapsed(start_, ticks_())) + " ms.");
}
