#include "UpdaterFlow.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <exception>
#include <memory>
#include <set>

#include "FetchClient.h"
#include "Handles.h"
#include "Manifest.h"
#include "Sha256.h"
#include "Staging.h"
#include "TextConvert.h"
#include "UpdaterLog.h"
#include "UpdaterRecords.h"
#include "VersionCompare.h"

namespace {

// What the manifest worker needs. Shared with the worker, so that it stays valid for a worker
// that is still ending after the main thread stopped waiting.
struct ManifestJob {
  int port = 0;
  std::string address;
  volatile LONG ok = 0;
  UpdaterContext context;
  FetchCancel cancel;
};

DWORD WINAPI ManifestWorker(LPVOID parameter) {
  std::unique_ptr<std::shared_ptr<ManifestJob>> holder(static_cast<std::shared_ptr<ManifestJob>*>(parameter));
  ManifestJob& job = **holder;
  bool fetched = false;
  try {
    fetched = FetchManifest(job.context, job.address, job.port, &job.cancel);
  } catch (...) {
    fetched = false;  // nothing may unwind into the system's thread start
  }
  InterlockedExchange(&job.ok, fetched ? 1 : 0);
  return 0;
}

// An argument as the fixed 260-character buffer of the run holds it.
std::wstring Argument(const wchar_t* text) {
  std::wstring value = text ? text : L"";
  if (value.size() > 259) value.resize(259);
  return value;
}

// The port as std::stoi reads it, limited to what a TCP port can be.
bool ParsePort(const std::wstring& text, int& port) {
  return ParseLeadingInt(WideToUtf8(text), port) && port >= 0 && port <= 65535;
}

// Set for the updater that a self-update starts (it inherits the environment): that one never
// replaces itself again, and confirms that it runs by deleting the trial record.
constexpr wchar_t kRestartedVariable[] = L"PELGRIX_RESTARTED";

bool UpdaterMutexHeld() {
  UniqueHandle mutex(OpenMutexW(SYNCHRONIZE, FALSE, L"tvClient_AutoUpdate"));
  return mutex.Valid();
}

// Starts the new updater with the arguments as received and waits, within a bound, for its sign
// of life: it holds the updater's mutex, or it has deleted the trial record. The mutex is let go
// first, so that the new one never finds it taken however slowly this process ends. False when
// the new one could not be started, ended without a sign, or gave none in time (it is then
// stopped).
bool HandOver(const UpdaterContext& context, wchar_t** argv, const std::wstring& parameters,
              UniqueHandle& mutex) {
  mutex.Reset();
  ReachStep(context, UpdateStep::HandoverWaiting, kUpdaterName);
  SetEnvironmentVariableW(kRestartedVariable, L"1");
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.lpVerb = L"open";
  info.lpFile = argv[0];
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOW;
  const bool started = ShellExecuteExW(&info) != FALSE;
  SetEnvironmentVariableW(kRestartedVariable, nullptr);
  UniqueHandle process(started ? info.hProcess : nullptr);
  if (!process.Valid()) return false;
  const ULONGLONG deadline = GetTickCount64() + context.timings.handoverWaitMs;
  for (;;) {
    if (!TrialRecordExists(context) || UpdaterMutexHeld()) return true;
    if (WaitForSingleObject(process.Get(), 50) == WAIT_OBJECT_0) {
      return !TrialRecordExists(context) || UpdaterMutexHeld();
    }
    if (GetTickCount64() >= deadline) break;
  }
  TerminateProcess(process.Get(), 0);
  WaitForSingleObject(process.Get(), 5000);
  return false;
}

enum class ManifestResult { Fetched, Failed, TimedOut };

// How long a stopped worker is given to end after the client was started, so that it does not
// write to the log while the process shuts the log down.
constexpr DWORD kStoppedWorkerGraceMs = 2000;

ManifestResult WaitForManifest(const UpdaterContext& context, const std::string& address, int port,
                               UniqueHandle& worker) {
  auto job = std::make_shared<ManifestJob>();
  job->port = port;
  job->address = address;
  job->context = context;
  auto* parameter = new std::shared_ptr<ManifestJob>(job);
  worker = UniqueHandle(CreateThread(nullptr, 0, ManifestWorker, parameter, 0, nullptr));
  if (!worker.Valid()) {
    delete parameter;
    return ManifestResult::Failed;
  }
  if (WaitForSingleObject(worker.Get(), context.timings.manifestWaitMs) == WAIT_TIMEOUT) {
    // Logged before the worker is stopped, so that the log is built on this thread and not by
    // both threads at once when the stopped worker reports its failed call.
    UpdaterLog(L"连接收银端超时，程序退出。");
    // Closing the socket ends the worker's blocking call; the run starts the client before it
    // gives the worker a moment to end.
    job->cancel.Cancel();
    return ManifestResult::TimedOut;
  }
  return InterlockedCompareExchange(&job->ok, 0, 0) == 1 ? ManifestResult::Fetched : ManifestResult::Failed;
}

// With the publisher's key built in: the received manifest's bytes must carry its signature. An
// old signature file never counts for a new manifest.
bool ManifestSignatureValid(const UpdaterContext& context, const std::string& address, int port) {
  const std::string dir = context.AnsiDir();
  const std::wstring signaturePath = AnsiToWide(dir + "ServerList.xml.sig");
  DeleteFileW(signaturePath.c_str());
  std::string manifest;
  std::string signature;
  return FetchSignature(context, address, port) && ReadManifestBytes(dir + "ServerList.xml", manifest) &&
         ReadManifestBytes(dir + "ServerList.xml.sig", signature) &&
         VerifyP256Signature(context.updatePublicKey, manifest, signature);
}

}  // namespace

void StartClient(const UpdaterContext& context) {
  std::wstring client = context.programDir + L"Orvanta.exe";
  ShellExecuteW(nullptr, L"open", client.c_str(), L"start ", nullptr, SW_SHOW);
}

namespace {

// What a run has done about the client, for the way out of a run that failed unexpectedly.
struct RunState {
  bool clientStarted = false;
  bool handedOver = false;  // the new updater runs and starts the client itself
  bool otherUpdater = false;
};

void StartClientOnce(const UpdaterContext& context, RunState& state) {
  if (state.clientStarted) return;
  state.clientStarted = true;
  StartClient(context);
}

// The self-update and, when the new updater does not come alive, the way back to this one and
// the ordinary update of the rest.
void RunSelfUpdate(const UpdaterContext& context, wchar_t** argv, const std::string& address, int port,
                   const FileEntry& entry, const ManifestMap& rest, const std::set<std::string>& leftOut,
                   UniqueHandle& mutex, RunState& state) {
  FileEntry previous;
  const bool hadPrevious = FindLocalEntry(context, kUpdaterName, previous);
  std::wstring aside;
  if (!SelfUpdate(context, address, entry, port, &aside)) {
    StartClientOnce(context, state);
    return;
  }
  const std::wstring parameters = Argument(argv[1]) + L" " + Argument(argv[2]) + L" " + Argument(argv[3]);
  if (HandOver(context, argv, parameters, mutex)) {
    state.handedOver = true;
    return;
  }
  UpdaterLog(L"新的更新程序未能启动，恢复原更新程序: ", entry.ver);
  mutex = UniqueHandle(CreateMutexW(nullptr, FALSE, L"tvClient_AutoUpdate"));
  if (TakeBackSelfUpdate(context, aside, entry, hadPrevious ? &previous : nullptr)) {
    // The received manifest is recorded without the updater's new version.
    std::set<std::string> notApplied = leftOut;
    notApplied.insert(kUpdaterName);
    ApplyUpdates(context, address, rest, port, notApplied);
  }
  StartClientOnce(context, state);
}

void RunUpdaterUnguarded(int argc, wchar_t** argv, UpdaterContext context, UniqueHandle& mutex,
                         RunState& state) {
  Sleep(context.timings.startPauseMs);
  if (context.programDir.empty()) {
    // The program folder's path does not fit the fixed path buffers: every file would land in
    // the current folder instead. The log then has no file either; the line goes to the console
    // and the debugger output.
    UpdaterLog(L"程序所在文件夹的路径过长，程序退出.");
    DebuggerOutput(L"程序所在文件夹的路径过长，程序退出.");
    return;
  }

  // Kept open for the whole run: a second updater stops here.
  mutex = UniqueHandle(CreateMutexW(nullptr, FALSE, L"tvClient_AutoUpdate"));
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex.Reset();
    state.otherUpdater = true;
    UpdaterLog(L"Update程序已开启.");
    return;
  }
  // Started by a self-update: this updater runs, which is what the old one waits to see.
  wchar_t restartedValue[4] = {};
  const bool restarted = GetEnvironmentVariableW(kRestartedVariable, restartedValue, 4) != 0;
  if (restarted) {
    SetEnvironmentVariableW(kRestartedVariable, nullptr);  // not for the client it starts
    DeleteTrialRecord(context);
  }
  // A hand-over that was cut off: the client put the old updater back. The version on record
  // before goes back too, so that this run tries the self-update again, to its end this time.
  bool hasPrevious = false;
  std::string previousVer;
  if (TakeRetryRecord(context, hasPrevious, previousVer)) {
    UpdaterLog(L"上次更新程序的替换被中断，将重新尝试.");
    FileEntry previous;
    previous.name = kUpdaterName;
    previous.ver = previousVer;
    RestoreUpdaterRecord(context, hasPrevious ? &previous : nullptr);
  }
  if (argc != 4) {
    UpdaterLog(L"启动参数数量错误.");
    return;
  }
  const std::wstring command = Argument(argv[1]);
  const std::wstring addressArg = Argument(argv[2]);
  const std::wstring portArg = Argument(argv[3]);
  int port = 0;
  if (_wcsicmp(command.c_str(), L"start") != 0 || !ParsePort(portArg, port)) {
    UpdaterLog(L"启动参数不正确.");
    StartClientOnce(context, state);
    return;
  }
  const std::string address = WideToUtf8(addressArg);
  // Whatever the server does, fetching stops here and the client is started.
  context.deadlineTick = GetTickCount64() + context.timings.runDeadlineMs;

  UniqueHandle worker;
  switch (WaitForManifest(context, address, port, worker)) {
    case ManifestResult::TimedOut:
      StartClientOnce(context, state);
      WaitForSingleObject(worker.Get(), kStoppedWorkerGraceMs);
      return;
    case ManifestResult::Failed:
      UpdaterLog(L"获取更新文件出错.");
      StartClientOnce(context, state);
      return;
    case ManifestResult::Fetched:
      break;
  }

  const bool signedReleases = !context.updatePublicKey.empty();
  if (signedReleases && !ManifestSignatureValid(context, address, port)) {
    // Anyone on the venue's network could have answered in the cashier server's place.
    UpdaterLog(L"更新清单签名无效，不予更新.");
    StartClientOnce(context, state);
    return;
  }
  const std::string dir = context.AnsiDir();
  ManifestMap updateSet;
  std::set<std::string> leftOut;
  const bool read = BuildUpdateSet(dir + "ServerList.xml", dir + "UpdateList.xml", updateSet, &leftOut);
  if (signedReleases) {
    // A signed manifest vouches for the files by their hashes: an entry without one is left out.
    for (auto entry = updateSet.begin(); entry != updateSet.end();) {
      if (!entry->second.sha256.empty()) {
        ++entry;
        continue;
      }
      UpdaterLog(L"更新清单中的文件没有校验值，已跳过: ", entry->first);
      leftOut.insert(entry->first);
      entry = updateSet.erase(entry);
    }
  }
  if (!read || updateSet.empty()) {
    UpdaterLog(L"解析出错或没有要更新的文件.");
    StartClientOnce(context, state);
    return;
  }
  if (!CreateDirectoryW((context.programDir + L"temp\\").c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS) {
    UpdaterLog(L"文件夹创建出错.");
    StartClientOnce(context, state);  // nothing was changed: the client as it is
    return;
  }
  EmptyStaging(context);

  auto self = updateSet.find(kUpdaterName);
  if (self != updateSet.end()) {
    FileEntry entry = self->second;
    updateSet.erase(self);
    if (restarted) {
      // However the versions compare, one self-update per chain: never a loop of them.
      UpdaterLog(L"更新程序刚被替换，本次不再替换: ", entry.ver);
    } else if (IsRejectedVersion(context, entry.ver)) {
      UpdaterLog(L"此版本的更新程序曾无法启动，不再安装: ", entry.ver);
      leftOut.insert(kUpdaterName);  // not on record as applied: it is not installed
    } else {
      // The new updater is started with the same three arguments and installs the other files.
      RunSelfUpdate(context, argv, address, port, entry, updateSet, leftOut, mutex, state);
      return;
    }
  }
  ApplyUpdates(context, address, updateSet, port, leftOut);
  StartClientOnce(context, state);
}

}  // namespace

void RunUpdater(int argc, wchar_t** argv, const UpdaterContext& context) {
  UniqueHandle mutex;
  RunState state;
  try {
    RunUpdaterUnguarded(argc, argv, context, mutex, state);
  } catch (const std::exception&) {
    // A failed allocation (a 32-bit process has 2 GB) or the like: no way out of the run may
    // leave the PC without its client.
    try {
      UpdaterLog(L"更新出错，启动客户端.");
    } catch (...) {
      // the log is the one thing that may be lost here
    }
    if (!state.handedOver && !state.otherUpdater) StartClientOnce(context, state);
  }
}
