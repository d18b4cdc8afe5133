// A program for the tool strip to start: appends one line to "started.txt" beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::wstring file(path, length);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"started.txt";
  FILE* out = _wfopen(file.c_str(), L"ab");
  if (out == nullptr) return 1;
  std::fputs("started\n", out);
  std::fclose(out);
  return 0;
}
