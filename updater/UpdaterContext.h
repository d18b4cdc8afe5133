#pragma once
// Where the updater works and how long it waits. The program builds it from its own folder and
// the fixed limits below; only the tests pass shorter limits, in-process.
#include <windows.h>

#include <string>

constexpr DWORD kStartPauseMs = 2000;       // before anything but the crash filter
constexpr DWORD kManifestWaitMs = 120000;   // longest wait for the manifest worker
constexpr DWORD kConnectTimeoutMs = 5000;   // connect to the cashier server
constexpr DWORD kReceiveTimeoutMs = 30000;  // a file fetch without a byte for this long fails

struct UpdaterTimings {
  DWORD startPauseMs = kStartPauseMs;
  DWORD manifestWaitMs = kManifestWaitMs;
  DWORD connectTimeoutMs = kConnectTimeoutMs;
  DWORD receiveTimeoutMs = kReceiveTimeoutMs;
};

// The moments of an update at which a power cut or a crash leaves the folder half done.
enum class UpdateStep {
  FileFetched,        // a file has arrived in "temp\" (and passed its size check)
  FileMoved,          // a staged file has replaced the installed one
  UpdaterMovedAside,  // the running updater is "Pelgrix-2.exe", the new one still staged
  UpdaterInPlace,     // the new updater is "Pelgrix.exe", its version not yet recorded
  ManifestWriting,    // the local manifest is being written
  StagedWrite,        // a piece of a fetched file is about to be written
  StagedClose,        // a fetched file is about to be closed
};

#ifdef ORV_UPDATER_FAULTS
// Test builds only: called at every step with the file's name. A test ends the process there,
// or answers true to make a write or close at StagedWrite / StagedClose fail.
using UpdaterFaultHook = bool (*)(UpdateStep step, const std::string& name);
#endif

struct UpdaterContext {
  std::wstring programDir;  // the updater's own folder, trailing backslash kept
  UpdaterTimings timings;
#ifdef ORV_UPDATER_FAULTS
  UpdaterFaultHook faultHook = nullptr;
#endif

  // The program folder in the ANSI code page: manifests and staged files use narrow paths.
  std::string AnsiDir() const;
};

// Reports a step to the test build's fault hook; true when the test asks the step to fail.
// The shipped program has no hook: always false.
inline bool ReachStep([[maybe_unused]] const UpdaterContext& context, [[maybe_unused]] UpdateStep step,
                      [[maybe_unused]] const std::string& name) {
#ifdef ORV_UPDATER_FAULTS
  return context.faultHook && context.faultHook(step, name);
#else
  return false;
#endif
}
