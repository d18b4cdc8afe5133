// Test copies of Pelgrix.exe read two settings from the environment:
// - ORV_UPDATER_FAULT=<step>:<n> ends the process abruptly the n-th time this process reaches
//   the step (names as in UpdateStep), as a power cut or a crash would, after leaving the file
//   "fault-hit.txt" in the program folder;
// - ORV_UPDATER_PAUSE_MS=<ms> replaces the start-up pause; ORV_UPDATER_PROGRESS_MS,
//   ORV_UPDATER_DEADLINE_MS and ORV_UPDATER_HANDOVER_MS the progress window, the run's deadline
//   and the wait for a restarted updater's sign of life; ORV_UPDATER_MAX_FILE_BYTES and
//   ORV_UPDATER_MAX_MANIFEST_BYTES the caps of what may arrive.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "UpdaterContext.h"

namespace {

UpdateStep g_step = UpdateStep::FileFetched;
int g_remaining = 0;
std::wstring g_marker;

bool EndAtStep(UpdateStep step, const std::string&) {
  if (g_remaining <= 0 || step != g_step || --g_remaining > 0) return false;
  // Tells the test which process was cut off; the folder's files are not touched.
  HANDLE marker = CreateFileW(g_marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  // No unwinding, no clean-up, no flush of the runtime's buffers.
  TerminateProcess(GetCurrentProcess(), 99);
  return false;
}

std::string Variable(const char* name) {
  char value[64] = {};
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

bool StepNamed(const std::string& name, UpdateStep& step) {
  static const struct {
    const char* name;
    UpdateStep step;
  } kSteps[] = {{"FileFetched", UpdateStep::FileFetched},
                {"FileMoved", UpdateStep::FileMoved},
                {"UpdaterMovedAside", UpdateStep::UpdaterMovedAside},
                {"UpdaterInPlace", UpdateStep::UpdaterInPlace},
                {"ManifestWriting", UpdateStep::ManifestWriting},
                {"HandoverWaiting", UpdateStep::HandoverWaiting},
                {"HandoverRollback", UpdateStep::HandoverRollback}};
  for (const auto& known : kSteps) {
    if (name == known.name) {
      step = known.step;
      return true;
    }
  }
  return false;
}

void ReadMilliseconds(const char* name, DWORD& value) {
  const std::string text = Variable(name);
  if (!text.empty()) value = static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10));
}

void ReadBytes(const char* name, uint64_t& value) {
  const std::string text = Variable(name);
  if (!text.empty()) value = std::strtoull(text.c_str(), nullptr, 10);
}

}  // namespace

void ApplyTestSettings(UpdaterContext& context) {
  ReadMilliseconds("ORV_UPDATER_PAUSE_MS", context.timings.startPauseMs);
  ReadMilliseconds("ORV_UPDATER_PROGRESS_MS", context.timings.progressWindowMs);
  ReadMilliseconds("ORV_UPDATER_DEADLINE_MS", context.timings.runDeadlineMs);
  ReadMilliseconds("ORV_UPDATER_HANDOVER_MS", context.timings.handoverWaitMs);
  ReadBytes("ORV_UPDATER_MAX_FILE_BYTES", context.limits.maxFileBytes);
  ReadBytes("ORV_UPDATER_MAX_MANIFEST_BYTES", context.limits.maxManifestBytes);
  const std::string fault = Variable("ORV_UPDATER_FAULT");
  const size_t colon = fault.find(':');
  if (colon == std::string::npos || !StepNamed(fault.substr(0, colon), g_step)) return;
  g_remaining = std::atoi(fault.c_str() + colon + 1);
  g_marker = context.programDir + L"fault-hit.txt";
  context.faultHook = &EndAtStep;
}
