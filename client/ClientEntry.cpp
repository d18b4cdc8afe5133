#include "ClientEntry.h"

#include "ClientLog.h"
#include "LoginFlow.h"
#include "MainFrameRun.h"
#include "ModulePath.h"
#include "NodeDll.h"
#include "ScopeTimer.h"
#include "SingleInstance.h"
#include "StartMode.h"
#include "window/StartToolkit.h"
#include "TextConvert.h"
#include "WebEngine.h"

namespace {

// A self-update leaves the old updater behind under this name.
void RemoveLeftoverUpdater() {
  std::wstring dir = GetModuleDir();
  if (dir.empty()) return;
  std::wstring leftover = dir + L"Pelgrix-2.exe";
  if (GetFileAttributesW(leftover.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileW(leftover.c_str());
}

void RunNoArgumentMode(HINSTANCE instance) {
  ScopeTimer run("Run");
  StartToolkit(instance);
  if (StartUpdater()) return;
  if (!CheckNodeDll()) return;
  RunMainFrame();
  FinalizeWebEngine();
}

void RunStartMode(HINSTANCE instance) {
  RefreshLegacyVenue();
  if (!CheckNodeDll()) return;
  StartToolkit(instance);
  RunMainFrame();
  FinalizeWebEngine();
}

void Run(HINSTANCE instance) {
  ScopeTimer main("Main");
  if (!CheckSingleInstance()) return;
  RemoveLeftoverUpdater();
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
  try {
    Run(instance);
  } catch (...) {
    // Nothing is left to do but end; the process still ends normally.
  }
  return 0;
}
