#include "FileReplace.h"

#include <windows.h>

#include <io.h>

#include "TextConvert.h"

namespace {

constexpr int kMoveAttempts = 5;
constexpr DWORD kMoveRetryPauseMs = 250;

// The errors of a file that someone holds open at the moment; anything else will not change by
// waiting.
bool HeldOpen(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

bool WriteAndFlush(const UpdaterContext& context, const std::wstring& temporary, const std::wstring& path,
                   const std::string& bytes) {
  UniqueHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  // Written in two halves, so that a test can cut the run in between.
  const size_t half = bytes.size() / 2;
  const size_t parts[2][2] = {{0, half}, {half, bytes.size() - half}};
  for (int i = 0; i < 2; ++i) {
    DWORD written = 0;
    const DWORD length = static_cast<DWORD>(parts[i][1]);
    if (!WriteFile(file.Get(), bytes.data() + parts[i][0], length, &written, nullptr) || written != length) {
      return false;
    }
    if (i == 0) ReachStep(context, UpdateStep::ManifestWriting, WideToAnsi(path));
  }
  return FlushFileBuffers(file.Get()) != FALSE;
}

}  // namespace

bool MoveIntoPlace(const std::wstring& from, const std::wstring& to) {
  for (int attempt = 1;; ++attempt) {
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (MoveFileExW(from.c_str(), to.c_str(), flags)) return true;
    DWORD error = GetLastError();
    if (attempt == kMoveAttempts || !HeldOpen(error)) return false;
    Sleep(kMoveRetryPauseMs);
    SetLastError(error);
  }
}

bool FlushAndClose(UniqueFile file) {
  if (!file) return false;
  std::FILE* stream = file.release();
  bool ok = std::fflush(stream) == 0;
  // fflush only hands the data to the system; FlushFileBuffers puts it on the disk.
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  ok = ok && handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
  bool closed = std::fclose(stream) == 0;
  return ok && closed;
}

bool WriteWholeFile(const UpdaterContext& context, const std::wstring& path, const std::string& bytes) {
  // A file marked read-only is not replaced: Windows refuses the move over it, while Wine's
  // rename would not.
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  const std::wstring temporary = path + L".tmp";
  if (WriteAndFlush(context, temporary, path, bytes) && MoveIntoPlace(temporary, path)) return true;
  DeleteFileW(temporary.c_str());
  return false;
}
