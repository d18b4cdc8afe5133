#include "LeftoverUpdater.h"

#include <windows.h>

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

void SettleLeftoverUpdater(const std::wstring& programDir) {
  if (programDir.empty()) return;
  const std::wstring leftover = programDir + L"Pelgrix-2.exe";
  const std::wstring updater = programDir + L"Pelgrix.exe";
  if (!Exists(leftover)) return;
  if (Exists(updater)) {
    DeleteFileW(leftover.c_str());
  } else {
    MoveFileExW(leftover.c_str(), updater.c_str(), MOVEFILE_WRITE_THROUGH);
  }
}
