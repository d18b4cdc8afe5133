#include "ClientSettings.h"

#include <windows.h>

#include "ModulePath.h"
#include "TextConvert.h"

namespace {

const wchar_t kConfig[] = L"CONFIG";
const wchar_t kTip[] = L"TIP";

int32_t ReadInt(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  return static_cast<int32_t>(GetPrivateProfileIntW(section, key, 0, file.c_str()));
}

// Empty when the key is missing or empty; the 260-unit buffer cuts a value to 259 units.
std::wstring ReadText(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buffer[260] = {};
  DWORD length = GetPrivateProfileStringW(section, key, L"", buffer, 260, file.c_str());
  return std::wstring(buffer, length);
}

void ReadUtf8(const std::wstring& file, const wchar_t* key, std::string& field) {
  std::wstring value = ReadText(file, kConfig, key);
  if (value.empty()) return;
  std::string utf8 = WideToUtf8(value);
  if (!utf8.empty()) field = utf8;
}

// Whole words, case ignored ordinally: a locale-aware comparison would let the user's locale
// decide whether "RIGHT" is "right" (not so under a Turkish locale).
int32_t AnchorWord(const std::wstring& value, const wchar_t* const words[3]) {
  for (int i = 0; i < 3; ++i) {
    if (CompareStringOrdinal(value.c_str(), static_cast<int>(value.size()), words[i], -1, TRUE) ==
        CSTR_EQUAL) {
      return i + 1;
    }
  }
  return 0;
}

}  // namespace

ClientSettings ReadClientSettings(const std::wstring& iniPath) {
  ClientSettings s;
  s.iniPath = iniPath;
  const std::wstring& f = iniPath;
  s.debug = ReadInt(f, kConfig, L"debug") != 0;
  ReadUtf8(f, L"url", s.url);
  ReadUtf8(f, L"request", s.request);
  s.wbid = ReadInt(f, kConfig, L"wbid");
  ReadUtf8(f, L"wbname", s.wbname);
  s.showlogo = ReadInt(f, kConfig, L"showlogo") != 0;
  s.logowidth = ReadInt(f, kConfig, L"logowidth");
  s.logoheight = ReadInt(f, kConfig, L"logoheight");
  s.miniwidth = ReadInt(f, kConfig, L"miniwidth");
  s.miniheight = ReadInt(f, kConfig, L"miniheight");
  s.maxwidth = ReadInt(f, kConfig, L"maxwidth");
  s.maxheight = ReadInt(f, kConfig, L"maxheight");

  static const wchar_t* const kAlignWords[3] = {L"left", L"center", L"right"};
  static const wchar_t* const kValignWords[3] = {L"top", L"center", L"bottom"};
  std::wstring align = ReadText(f, kConfig, L"align");
  if (!align.empty()) s.align = AnchorWord(align, kAlignWords);
  s.alignspace = ReadInt(f, kConfig, L"alignspace");
  if (s.alignspace == 0) s.alignspace = 20;
  std::wstring valign = ReadText(f, kConfig, L"valign");
  if (!valign.empty()) s.valign = AnchorWord(valign, kValignWords);
  s.valignspace = ReadInt(f, kConfig, L"valignspace");
  if (s.valignspace == 0) s.valignspace = 20;

  s.xpos = ReadInt(f, kConfig, L"xpos");
  s.ypos = ReadInt(f, kConfig, L"ypos");
  s.tip_show = ReadInt(f, kTip, L"show") != 0;
  s.tip_width = ReadInt(f, kTip, L"width");
  s.tip_height = ReadInt(f, kTip, L"height");
  s.devtools = ReadInt(f, kConfig, L"devtools") != 0;
  ReadUtf8(f, L"url1", s.url1);
  ReadUtf8(f, L"url2", s.url2);
  ReadUtf8(f, L"url3", s.url3);
  return s;
}

const ClientSettings& GetClientSettings() {
  static const ClientSettings settings = ReadClientSettings(GetModuleDir() + L"Setting.ini");
  return settings;
}

void WriteVenueName(const std::string& utf8Name) {
  WritePrivateProfileStringW(kConfig, L"wbname", Utf8ToWide(utf8Name).c_str(),
                             GetClientSettings().iniPath.c_str());
}
