#include "ClientEntry.h"

#include <thread>

#include "ClientLog.h"
#include "LeftoverUpdater.h"
#include "Logger.h"
#include "LoginFlow.h"
#include "MainFrameRun.h"
#include "ModulePath.h"
#include "NodeDll.h"
#include "OwnerRelease.h"
#include "ScopeTimer.h"
#include "SingleInstance.h"
#include "StartSteps.h"
#include "StartMode.h"
#include "window/StartToolkit.h"
#include "render/ImageData.h"
#include "TextConvert.h"
#include "WebEngine.h"

namespace {

const wchar_t kFolderTooLong[] = L"程序所在文件夹的路径过长，程序退出.";

// Settings, cache and log are all found by the program folder; without it (a path too long for
// the fixed buffers) they would land in the Windows or the current folder. The log then writes
// to the console only, whatever the debug switch (which lives in the settings).
void ReportFolderTooLong() {
  GetLogger().Write(LogLevel::Error, WideToGbk(kFolderTooLong));
  OutputDebugStringW(kFolderTooLong);
}

void RunNoArgumentMode(HINSTANCE instance) {
  ScopeTimer run("Run");
  StartToolkit(instance);
  if (StartUpdater()) return;
  if (!CheckNodeDll()) return;
  RunMainFrame();
  FinalizeWebEngine();
}

// Starts the imaging library on a worker while the engine loads and the windows are made: the
// strip's pictures are the first screen's first decodings. Joined at the end of its scope.
class ImagingWarmUp {
 public:
  ImagingWarmUp() {
    try {
      worker_ = std::thread([] { ui::WarmImagingLibrary(); });
    } catch (...) {
      // Without a thread the first picture starts the library, as it would anyway.
    }
  }
  ~ImagingWarmUp() {
    if (worker_.joinable()) worker_.join();
  }
  ImagingWarmUp(const ImagingWarmUp&) = delete;
  ImagingWarmUp& operator=(const ImagingWarmUp&) = delete;

 private:
  std::thread worker_;
};

void RunStartMode(HINSTANCE instance) {
  MarkStartStep("process start", StartEntryMs());
  RefreshLegacyVenue();
  MarkStartStep("settings");
  ImagingWarmUp imaging;
  if (!CheckNodeDll()) return;
  MarkStartStep("engine loaded");
  StartToolkit(instance);
  MarkStartStep("toolkit and skin");
  RunMainFrame();
  FinalizeWebEngine();
}

void Run(HINSTANCE instance) {
  BeginStartSteps();
  const std::wstring programDir = GetModuleDir();
  if (programDir.empty()) {
    ReportFolderTooLong();
    return;
  }
  ScopeTimer main("Main");
  if (!CheckSingleInstance()) return;
  SettleLeftoverUpdater(programDir);
  switch (CommandLineStartMode()) {
    case StartMode::NoArgument:
      RunNoArgumentMode(instance);
      break;
    case StartMode::Start:
      RunStartMode(instance);
      break;
    case StartMode::BadArgument:
      LogError(WideToGbk(L"启动参数不正确."));
      break;
  }
}

}  // namespace

int RunClient(HINSTANCE instance) {
  InstallOwnerRelease();
  try {
    Run(instance);
  } catch (...) {
    // Nothing is left to do but end; the process still ends normally, and leaves no desktop
    // disabled behind it.
    ReleaseDisabledOwners();
  }
  return 0;
}
