#include "SingleInstance.h"

#include <windows.h>

#include "ClientLog.h"
#include "ClientMessages.h"
#include "UniqueHandle.h"

namespace {

const wchar_t kMutexName[] = L"tvClient_Client";
const wchar_t kMainFrameTitle[] = L"Tamvik-客户端";

// Lives until the process ends, so a client started at any later moment is refused.
UniqueHandle& InstanceMutex() {
  static UniqueHandle mutex;
  return mutex;
}

}  // namespace

bool CheckSingleInstance() {
  UniqueHandle mutex(CreateMutexW(nullptr, FALSE, kMutexName));
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex.Reset();
    HWND running = FindWindowW(nullptr, kMainFrameTitle);
    if (running) SendMessageW(running, WM_MF_MORE_PRODUCT, 0, 0);
    LogError("The program is already running.");
    return false;
  }
  InstanceMutex() = std::move(mutex);
  return true;
}
