// Stands in for "Orvanta.exe" in the updater's program folder: settles a left-over updater copy
// as the client does at every start, appends the parameters it was started with, one line per
// start, to "client-started.txt" beside itself, and ends.
#include <windows.h>

#include <string>

#include "LeftoverUpdater.h"
#include "ModulePath.h"
#include "TextConvert.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SettleLeftoverUpdater(GetModuleDir());
  std::wstring line = GetCommandLineW();
  // Skip the program's own name, quoted or not, and the one blank that separates it.
  size_t end = line[0] == L'"' ? line.find(L'"', 1) : line.find(L' ');
  line = end == std::wstring::npos ? std::wstring() : line.substr(end + 1);
  if (!line.empty() && line[0] == L' ') line.erase(0, 1);

  std::string record = WideToUtf8(line) + "\n";
  HANDLE file = CreateFileW((GetModuleDir() + L"client-started.txt").c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
  }
  return 0;
}
