#include "LeftoverUpdater.h"

#include <windows.h>

#include <string>

#include "SelfUpdateFiles.h"
#include "UniqueHandle.h"

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The aside name on the trial record; the usual one when the record cannot be read or names
// another file.
std::wstring TrialAside(const std::wstring& record) {
  UniqueHandle file(CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  if (!file.Valid()) return kAsideName;
  char buffer[256] = {};
  DWORD read = 0;
  ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr);
  const std::wstring aside = TrialRecordAside(std::string(buffer, read));
  return aside.empty() ? kAsideName : aside;
}

}  // namespace

void SettleLeftoverUpdater(const std::wstring& programDir) {
  if (programDir.empty()) return;
  const std::wstring updater = programDir + L"Pelgrix.exe";
  const std::wstring trial = programDir + L"Pelgrix.trial";
  if (Exists(trial)) {
    const std::wstring aside = programDir + TrialAside(trial);
    if (Exists(aside)) {
      // The last updater that was seen working goes back; the unconfirmed one is kept out of
      // the way where the updater's next run deletes it. A cut is no sign that the new one is
      // bad: the retry record makes the next run try it again.
      if (Exists(updater)) {
        CreateDirectoryW((programDir + L"temp").c_str(), nullptr);
        MoveFileExW(updater.c_str(), (programDir + L"temp\\Pelgrix.rejected.exe").c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
      }
      if (!Exists(updater) && MoveFileExW(aside.c_str(), updater.c_str(), MOVEFILE_WRITE_THROUGH)) {
        MoveFileExW(trial.c_str(), (programDir + L"Pelgrix.retry").c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
      }
      return;
    }
    DeleteFileW(trial.c_str());  // nothing to go back to: "Pelgrix.exe" is the only updater
  }
  const std::wstring leftover = programDir + kAsideName;
  if (!Exists(leftover)) return;
  if (Exists(updater)) {
    ClearReadOnly(leftover);
    DeleteFileW(leftover.c_str());
  } else {
    MoveFileExW(leftover.c_str(), updater.c_str(), MOVEFILE_WRITE_THROUGH);
  }
}
