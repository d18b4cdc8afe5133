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

struct UpdaterContext {
  std::wstring programDir;  // the updater's own folder, trailing backslash kept
  UpdaterTimings timings;

  // The program folder in the ANSI code page: manifests and staged files use narrow paths.
  std::string AnsiDir() const;
};
