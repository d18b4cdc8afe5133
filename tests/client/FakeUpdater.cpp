// Stands in for "Pelgrix.exe": writes the parameter text it was started with to
// "updater-args.txt" beside itself (UTF-8) and ends.
#include <windows.h>

#include <string>

#include "ModulePath.h"
#include "UniqueHandle.h"
#include "TextConvert.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR parameters, int) {
  std::string text = WideToUtf8(parameters ? parameters : L"");
  // Written under another name and renamed: the test waits for the file to appear and must
  // not read it between its creation and the write.
  std::wstring partial = GetModuleDir() + L"updater-args.partial";
  {
    UniqueHandle file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return 0;
    DWORD written = 0;
    if (!WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return 0;
  }
  MoveFileExW(partial.c_str(), (GetModuleDir() + L"updater-args.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
  return 0;
}
