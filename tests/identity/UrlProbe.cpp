// Arguments: venue id, token. Sets them in the process's venue profile, then writes the shop
// address and the call, message and karaoke addresses, one per line, to "urls.txt" beside it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ModulePath.h"
#include "PageAddress.h"
#include "TextConvert.h"

int wmain(int argc, wchar_t** argv) {
  if (argc > 1) GetVenueProfile().id = WideToUtf8(argv[1]);
  if (argc > 2) GetVenueProfile().token = WideToUtf8(argv[2]);
  // One statement each: the log lines must come in this order.
  std::string text = BuildShopUrl() + "\n";
  text += BuildServiceUrl(ServicePage::Call) + "\n";
  text += BuildServiceUrl(ServicePage::Message) + "\n";
  text += BuildServiceUrl(ServicePage::Karaoke) + "\n";
  FILE* file = _wfopen((GetModuleDir() + L"urls.txt").c_str(), L"wb");
  if (file == nullptr) return 1;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  return 0;
}
