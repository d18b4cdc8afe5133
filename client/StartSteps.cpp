#include "StartSteps.h"

#include <windows.h>

#include <cstdio>

#include "ClientLog.h"

namespace {

bool g_begun = false;
double g_entryMs = 0;
LARGE_INTEGER g_entryCounter{};
LARGE_INTEGER g_frequency{};

ULONGLONG FileTimeValue(const FILETIME& t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

void BeginStartSteps() {
  FILETIME created{}, exited{}, kernel{}, user{}, now{};
  QueryPerformanceFrequency(&g_frequency);
  QueryPerformanceCounter(&g_entryCounter);
  GetSystemTimeAsFileTime(&now);
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user) &&
      FileTimeValue(now) >= FileTimeValue(created)) {
    g_entryMs = static_cast<double>(FileTimeValue(now) - FileTimeValue(created)) / 10000.0;
  }
  g_begun = true;
}

double StartStepMs() {
  if (!g_begun || g_frequency.QuadPart == 0) return 0;
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return g_entryMs + static_cast<double>(counter.QuadPart - g_entryCounter.QuadPart) * 1000.0 /
                         static_cast<double>(g_frequency.QuadPart);
}

double StartEntryMs() { return g_entryMs; }

void MarkStartStep(const std::string& name) { MarkStartStep(name, StartStepMs()); }

void MarkStartStep(const std::string& name, double ms) {
  char text[32] = {};
  std::snprintf(text, sizeof text, "%.1f", ms);
  LogDebug("Start step " + name + ": " + text + " ms.");
}
