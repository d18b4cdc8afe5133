#include "UpdaterFlow.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>

#include "FetchClient.h"
#include "Handles.h"
#include "Manifest.h"
#include "Staging.h"
#include "TextConvert.h"
#include "UpdaterLog.h"
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

void RestartUpdater(wchar_t** argv, const std::wstring& command, const std::wstring& address,
                    const std::wstring& port) {
  std::wstring parameters = command + L" " + address + L" " + port;
  ShellExecuteW(nullptr, L"open", argv[0], parameters.c_str(), nullptr, SW_SHOW);
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

}  // namespace

void StartClient(const UpdaterContext& context) {
  std::wstring client = context.programDir + L"Orvanta.exe";
  ShellExecuteW(nullptr, L"open", client.c_str(), L"start ", nullptr, SW_SHOW);
}

void RunUpdater(int argc, wchar_t** argv, const UpdaterContext& context) {
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
  UniqueHandle mutex(CreateMutexW(nullptr, FALSE, L"tvClient_AutoUpdate"));
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex.Reset();
    UpdaterLog(L"Update程序已开启.");
    return;
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
    StartClient(context);
    return;
  }
  const std::string address = WideToUtf8(addressArg);

  UniqueHandle worker;
  switch (WaitForManifest(context, address, port, worker)) {
    case ManifestResult::TimedOut:
      StartClient(context);
      WaitForSingleObject(worker.Get(), kStoppedWorkerGraceMs);
      return;
    case ManifestResult::Failed:
      UpdaterLog(L"获取更新文件出错.");
      StartClient(context);
      return;
    case ManifestResult::Fetched:
      break;
  }

  const std::string dir = context.AnsiDir();
  ManifestMap updateSet;
  if (!BuildUpdateSet(dir + "ServerList.xml", dir + "UpdateList.xml", updateSet) || updateSet.empty()) {
    UpdaterLog(L"解析出错或没有要更新的文件.");
    StartClient(context);
    return;
  }
  if (!CreateDirectoryW((context.programDir + L"temp\\").c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS) {
    UpdaterLog(L"文件夹创建出错.");
    return;
  }

  auto self = updateSet.find(kUpdaterName);
  if (self != updateSet.end()) {
    FileEntry entry = self->second;
    updateSet.erase(self);
    // The new updater is started with the same three arguments and installs the other files.
    if (SelfUpdate(context, address, entry, port)) {
      RestartUpdater(argv, Argument(argv[1]), addressArg, portArg);
    } else {
      StartClient(context);
    }
    return;
  }
  ApplyUpdates(context, address, updateSet, port);
  StartClient(context);
}
