#include "LeftoverUpdater.h"

#include <windows.h>

#include <string>

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void ClearReadOnly(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesW(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  }
}

// The aside name on the trial record's first line; only the two names the updater uses count,
// whatever else the file says.
std::wstring TrialAside(const std::wstring& record) {
  HANDLE file = CreateFileW(record.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"Pelgrix-2.exe";
  char buffer[256] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  const std::string text(buffer, read);
  const std::string first = text.substr(0, text.find_first_of("\r\n"));
  return first == "temp\\Pelgrix-2.exe" ? L"temp\\Pelgrix-2.exe" : L"Pelgrix-2.exe";
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
  const std::wstring leftover = programDir + L"Pelgrix-2.exe";
  if (!Exists(leftover)) return;
  if (Exists(updater)) {
    ClearReadOnly(leftover);
    DeleteFileW(leftover.c_str());
  } else {
    MoveFileExW(leftover.c_str(), updater.c_str(), MOVEFILE_WRITE_THROUGH);
  }
}
