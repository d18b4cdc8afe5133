#include "MachineIdentity.h"
#include "TextConvert.h"

std::string GetMachineNo() {
  wchar_t name[260] = {};
  DWORD size = 260;
  if (!GetComputerNameW(name, &size) || name[0] == L'\0') return "unknown";
  std::string encoded = UrlEncode(WideToUtf8(name));
  return encoded.empty() ? "unknown" : encoded;
}
