// Stands in for "Pelgrix.exe": writes the parameter text it was started with to
// "updater-args.txt" beside itself (UTF-8) and ends.
#include <windows.h>

#include <string>

#include "ModulePath.h"
#include "UniqueHandle.h"
#include "TextConvert.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR parameters, int) {
  std::string text = WideToUtf8(parameters ? parameters : L"");
  UniqueHandle file(CreateFileW((GetModuleDir() + L"updater-args.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr));
  if (!file) return 0;
  DWORD written = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return 0;
}
