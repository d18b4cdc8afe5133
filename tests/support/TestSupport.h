#pragma once
// Helpers shared by the test programs: scratch folders, files, and child processes.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "TestPaths.h"

namespace testsupport {

// A fresh empty folder under %TEMP%, removed with everything in it on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // With a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool DirExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Copies a built program (from the dist folder, ORV_TEST_DIST_DIR) into a folder.
bool CopyDistFile(const std::wstring& name, const std::wstring& toDir);
// Copies a built test program (ORV_TEST_BIN_DIR) into a folder, optionally under another name.
bool CopyTestBinary(const std::wstring& name, const std::wstring& toDir, const std::wstring& asName = L"");

struct ProcessResult {
  bool started = false;
  bool timedOut = false;
  DWORD exitCode = 0;
};
// Runs "exe args" in workDir and waits at most timeoutMs; a process still running then is
// killed and reported as timed out.
ProcessResult RunProcess(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir,
                         DWORD timeoutMs);

// The processes that this test program starts from now on, and the ones those start in turn:
// this process joins a job object (once) at the first construction, and processes inherit it.
// A test that must show that a program started nothing, or must read what its children left,
// waits for them to end instead of waiting a fixed time.
class ChildProcesses {
 public:
  ChildProcesses();
  // False when the job could not be made; the waits then fail.
  bool Watching() const { return watching_; }
  // Processes started since this object was made.
  unsigned long Started() const;
  // Waits until no process of the job but this one runs; false when some still run after
  // timeoutMs.
  bool WaitAllEnded(DWORD timeoutMs) const;

 private:
  bool watching_ = false;
  unsigned long startedBefore_ = 0;
};

// The lines of a text, without their "\n" or "\r\n" ends.
std::vector<std::string> SplitLines(const std::string& text);

// The day log file's path ("log\YYYY-MM-DD.log") in a program folder, for today.
std::wstring TodayLogPath(const std::wstring& programDir);

// Polls until pred() is true or timeoutMs passed; pumps this thread's messages meanwhile.
template <typename Pred>
bool WaitFor(Pred pred, DWORD timeoutMs) {
  ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (pred()) return true;
    if (GetTickCount64() >= end) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
}

// Posts a marker to this thread's queue and handles its messages until the marker comes: what
// was posted to the thread's windows before it has been handled then. False after timeoutMs.
bool HandlePostedMessages(DWORD timeoutMs = 5000);

}  // namespace testsupport
