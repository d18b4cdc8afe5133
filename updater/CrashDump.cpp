#include "CrashDump.h"

#include <dbghelp.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>

#include "Handles.h"

namespace {

// The process may be damaged: the path is built in a fixed stack buffer, without the heap.
class PathBuffer {
 public:
  bool Append(const wchar_t* text) {
    size_t length = std::wcslen(text);
    if (length_ + length >= MAX_PATH) {
      fits_ = false;  // a path this long is not written past the buffer; no dump is written
      return false;
    }
    std::wmemcpy(text_ + length_, text, length);
    length_ += length;
    text_[length_] = L'\0';
    return true;
  }
  const wchar_t* Text() const { return text_; }
  bool Fits() const { return fits_; }

 private:
  wchar_t text_[MAX_PATH] = {};
  size_t length_ = 0;
  bool fits_ = true;
};

// The executable's full path (at most 260 characters); false when it does not fit.
bool ModulePath(wchar_t (&path)[MAX_PATH]) {
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length != 0 && length < MAX_PATH;
}

// The updater that dies must not leave the PC without its client: "Orvanta.exe start " from
// the same folder, with CreateProcessW (the shell's start is too much for a damaged process).
void StartClientAfterCrash(const wchar_t* dir) {
  PathBuffer client;
  client.Append(dir);
  client.Append(L"Orvanta.exe");
  if (!client.Fits()) return;
  PathBuffer command;
  command.Append(L"\"");
  command.Append(client.Text());
  command.Append(L"\" start ");
  if (!command.Fits()) return;
  wchar_t line[MAX_PATH] = {};
  std::wmemcpy(line, command.Text(), std::wcslen(command.Text()));
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(client.Text(), line, nullptr, nullptr, FALSE, 0, nullptr, dir, &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

void WriteDump(EXCEPTION_POINTERS* pointers, const wchar_t* dir, const wchar_t* fileName);

}  // namespace

LONG WINAPI WriteCrashDump(EXCEPTION_POINTERS* pointers) {
  wchar_t module[MAX_PATH] = {};
  if (!ModulePath(module)) return EXCEPTION_EXECUTE_HANDLER;
  wchar_t* fileName = PathFindFileNameW(module);
  wchar_t dir[MAX_PATH] = {};
  std::wmemcpy(dir, module, static_cast<size_t>(fileName - module));
  WriteDump(pointers, dir, fileName);
  StartClientAfterCrash(dir);
  return EXCEPTION_EXECUTE_HANDLER;
}

namespace {

void WriteDump(EXCEPTION_POINTERS* pointers, const wchar_t* dir, const wchar_t* fileName) {
  PathBuffer folder;
  folder.Append(dir);
  folder.Append(L"Error\\");
  if (!folder.Fits()) return;
  DWORD attributes = GetFileAttributesW(folder.Text());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SHCreateDirectoryExW(nullptr, folder.Text(), nullptr);  // a failure shows when the file is created
  }

  SYSTEMTIME now = {};
  GetLocalTime(&now);
  wchar_t stamp[32] = {};
  std::swprintf(stamp, 32, L"[%04d%02d%02d%02d%02d%02d]", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  PathBuffer path;
  path.Append(folder.Text());
  path.Append(L"[");
  path.Append(fileName);
  path.Append(L"]");
  path.Append(stamp);
  path.Append(L".dmp");
  if (!path.Fits()) return;

  UniqueHandle file(CreateFileW(path.Text(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return;

  MINIDUMP_EXCEPTION_INFORMATION exception = {};
  exception.ThreadId = GetCurrentThreadId();
  exception.ExceptionPointers = pointers;
  exception.ClientPointers = FALSE;
  // No callback. Passing a callback record whose routine is null means the same to Windows,
  // but Wine's dbghelp calls the null routine and the filter crashes inside itself.
  const auto type = static_cast<MINIDUMP_TYPE>(MiniDumpScanMemory | MiniDumpWithIndirectlyReferencedMemory);
  MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file.Get(), type,
                    pointers ? &exception : nullptr, nullptr, nullptr);
}

// The code of the crash raised for a language exception that nothing catches.
constexpr DWORD kEscapedException = 0xE0504C47;

// std::terminate runs for an uncaught exception before anything was unwound: the crash raised
// here is dumped with the stack as it was at the throw. (Where language exceptions travel as
// system exceptions, the filter meets an uncaught one at the throw already.)
[[noreturn]] void CrashAtThrow() {
  RaiseException(kEscapedException, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  std::abort();
}

}  // namespace

void InstallCrashDump() {
  SetUnhandledExceptionFilter(WriteCrashDump);
  std::set_terminate(CrashAtThrow);
}

void RemoveCrashDump() { SetUnhandledExceptionFilter(nullptr); }
