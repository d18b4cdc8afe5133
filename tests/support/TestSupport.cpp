#include "TestSupport.h"

#include <cstdio>

namespace testsupport {

TempDir::TempDir() {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  static LONG counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    wchar_t name[64];
    std::swprintf(name, 64, L"orvtest-%lu-%ld-%d\\", GetCurrentProcessId(), InterlockedIncrement(&counter),
                  attempt);
    std::wstring candidate = std::wstring(base) + name;
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() {
  if (!path_.empty()) RemoveTree(path_);
}

void RemoveTree(const std::wstring& path) {
  std::wstring dir = path;
  if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = dir + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

bool FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok =
      bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size());
  CloseHandle(file);
  return ok;
}

bool CopyDistFile(const std::wstring& name, const std::wstring& toDir) {
  return CopyFileW((std::wstring(ORV_TEST_DIST_DIR) + name).c_str(), (toDir + name).c_str(), FALSE) != 0;
}

bool CopyTestBinary(const std::wstring& name, const std::wstring& toDir, const std::wstring& asName) {
  std::wstring target = toDir + (asName.empty() ? name : asName);
  return CopyFileW((std::wstring(ORV_TEST_BIN_DIR) + name).c_str(), target.c_str(), FALSE) != 0;
}

ProcessResult RunProcess(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir,
                         DWORD timeoutMs) {
  ProcessResult result;
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!args.empty()) commandLine += L" " + args;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.empty() ? nullptr : workDir.c_str(), &startup, &info)) {
    return result;
  }
  result.started = true;
  if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_TIMEOUT) {
    result.timedOut = true;
    TerminateProcess(info.hProcess, 255);
    WaitForSingleObject(info.hProcess, 5000);
  }
  GetExitCodeProcess(info.hProcess, &result.exitCode);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return result;
}

namespace {

HANDLE ProcessJob() {
  static HANDLE job = [] {
    HANDLE made = CreateJobObjectW(nullptr, nullptr);
    if (made != nullptr && !AssignProcessToJobObject(made, GetCurrentProcess())) {
      CloseHandle(made);
      made = nullptr;
    }
    return made;
  }();
  return job;
}

bool JobCounts(unsigned long& total, unsigned long& active) {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
  if (ProcessJob() == nullptr || !QueryInformationJobObject(ProcessJob(), JobObjectBasicAccountingInformation,
                                                            &info, sizeof info, nullptr)) {
    return false;
  }
  total = info.TotalProcesses;
  active = info.ActiveProcesses;
  return true;
}

}  // namespace

ChildProcesses::ChildProcesses() {
  unsigned long active = 0;
  watching_ = JobCounts(startedBefore_, active);
}

unsigned long ChildProcesses::Started() const {
  unsigned long total = 0, active = 0;
  return watching_ && JobCounts(total, active) ? total - startedBefore_ : 0;
}

bool ChildProcesses::WaitAllEnded(DWORD timeoutMs) const {
  if (!watching_) return false;
  return WaitFor(
      [] {
        unsigned long total = 0, active = 0;
        return JobCounts(total, active) && active <= 1;
      },
      timeoutMs);
}

bool HandlePostedMessages(DWORD timeoutMs) {
  // A message number of the application's range that no window of the project uses.
  const UINT marker = WM_APP + 0x3F7B;
  if (!PostThreadMessageW(GetCurrentThreadId(), marker, 0, 0)) return false;
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.hwnd == nullptr && msg.message == marker) return true;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (GetTickCount64() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

std::wstring TodayLogPath(const std::wstring& programDir) {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  wchar_t name[32];
  std::swprintf(name, 32, L"log\\%04d-%02d-%02d.log", now.wYear, now.wMonth, now.wDay);
  return programDir + name;
}

}  // namespace testsupport
