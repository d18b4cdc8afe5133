#pragma once
// Where the updater works and how long it waits. The program builds it from its own folder and
// the fixed limits below; only the tests pass shorter limits, in-process.
#include <windows.h>

#include <cstdint>
#include <string>

constexpr DWORD kStartPauseMs = 2000;       // before anything but the crash filter
constexpr DWORD kManifestWaitMs = 120000;   // longest wait for the manifest worker
constexpr DWORD kConnectTimeoutMs = 5000;   // connect to the cashier server
constexpr DWORD kReceiveTimeoutMs = 30000;  // a file fetch without a byte for this long fails
// A server that trickles keeps every single receive alive: a fetch that gets less than
// kMinProgressBytes in any window of kProgressWindowMs is abandoned.
constexpr DWORD kProgressWindowMs = 30000;
constexpr DWORD kMinProgressBytes = 1024;
// The whole run stops fetching after this long and starts the client, whatever the server does.
constexpr DWORD kRunDeadlineMs = 5 * 60 * 1000;
// How long a restarted updater has to show that it runs before the old one takes its place back.
constexpr DWORD kHandoverWaitMs = 60000;

// What may arrive. Nothing is reused from one run to the next, so these bound the disk use of
// a run: a manifest of 100,000 entries is a few MB.
constexpr uint64_t kMaxManifestBytes = 16ull << 20;
constexpr uint64_t kMaxFileBytes = 256ull << 20;     // any one file, with or without a size
constexpr uint64_t kMaxStagedBytes = 1024ull << 20;  // all files of one run together

struct UpdaterTimings {
  DWORD startPauseMs = kStartPauseMs;
  DWORD manifestWaitMs = kManifestWaitMs;
  DWORD connectTimeoutMs = kConnectTimeoutMs;
  DWORD receiveTimeoutMs = kReceiveTimeoutMs;
  DWORD progressWindowMs = kProgressWindowMs;
  DWORD runDeadlineMs = kRunDeadlineMs;
  DWORD handoverWaitMs = kHandoverWaitMs;
};

struct UpdaterLimits {
  uint64_t maxManifestBytes = kMaxManifestBytes;
  uint64_t maxFileBytes = kMaxFileBytes;
  uint64_t maxStagedBytes = kMaxStagedBytes;
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
  HandoverWaiting,    // the new updater in place and on record, about to be started and awaited
  HandoverRollback,   // the restarted updater gave no sign of life; the old one goes back
};

#ifdef ORV_UPDATER_FAULTS
// Test builds only: called at every step with the file's name. A test ends the process there,
// or answers true to make a write or close at StagedWrite / StagedClose fail.
using UpdaterFaultHook = bool (*)(UpdateStep step, const std::string& name);
#endif

class StagedCloser;
class StreamHasher;

struct UpdaterContext {
  std::wstring programDir;  // the updater's own folder, trailing backslash kept
  UpdaterTimings timings;
  UpdaterLimits limits;
  // GetTickCount64 after which no fetch goes on; 0: none (set by the run from runDeadlineMs).
  ULONGLONG deadlineTick = 0;
  // The publisher's ECDSA P-256 public key (x then y, 32 bytes each). With one, a manifest is
  // applied only when "UpdateList.xml.sig" verifies over its bytes and its entries carry a
  // SHA-256; without one, unsigned manifests are accepted as they always were.
  std::string updatePublicKey;
  // While an ordinary update fetches: staged files are forced to the disk and closed there.
  StagedCloser* closer = nullptr;
  // ... and hashed there as they arrive, where the manifest gives a hash.
  StreamHasher* hasher = nullptr;
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
