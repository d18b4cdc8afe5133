// Reads the settings beside itself through the process's accessor and writes every field to
// "settings.txt" (UTF-8, one "key=value" a line). With "write NAME" it first stores NAME as
// the venue name. Used by the settings tests.
#include <windows.h>

#include <string>

#include "ClientLog.h"
#include "ClientSettings.h"
#include "Logger.h"
#include "ModulePath.h"
#include "UniqueHandle.h"
#include "TextConvert.h"

namespace {

void Add(std::string& out, const char* key, const std::string& value) {
  out += std::string(key) + "=" + value + "\n";
}
void Add(std::string& out, const char* key, int32_t value) { Add(out, key, std::to_string(value)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wstring(argv[1]) == L"write") WriteVenueName(WideToUtf8(argv[2]));
  const ClientSettings& s = GetClientSettings();
  GetLogger();             // as the client's first timing scope does
  LogError("probe line");  // written only when the debug switch is on

  std::string out;
  Add(out, "acp", static_cast<int32_t>(GetACP()));
  Add(out, "iniPath", WideToUtf8(s.iniPath));
  Add(out, "debug", s.debug);
  Add(out, "url", s.url);
  Add(out, "request", s.request);
  Add(out, "wbid", s.wbid);
  Add(out, "wbname", s.wbname);
  Add(out, "showlogo", s.showlogo);
  Add(out, "logowidth", s.logowidth);
  Add(out, "logoheight", s.logoheight);
  Add(out, "miniwidth", s.miniwidth);
  Add(out, "miniheight", s.miniheight);
  Add(out, "maxwidth", s.maxwidth);
  Add(out, "maxheight", s.maxheight);
  Add(out, "align", s.align);
  Add(out, "alignspace", s.alignspace);
  Add(out, "valign", s.valign);
  Add(out, "valignspace", s.valignspace);
  Add(out, "xpos", s.xpos);
  Add(out, "ypos", s.ypos);
  Add(out, "tip_show", s.tip_show);
  Add(out, "tip_width", s.tip_width);
  Add(out, "tip_height", s.tip_height);
  Add(out, "devtools", s.devtools);
  Add(out, "url1", s.url1);
  Add(out, "url2", s.url2);
  Add(out, "url3", s.url3);

  UniqueHandle file(CreateFileW((GetModuleDir() + L"settings.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr));
  if (!file) return 1;
  DWORD written = 0;
  WriteFile(file.Get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
  return 0;
}
