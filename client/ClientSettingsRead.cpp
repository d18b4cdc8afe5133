#include "ClientSettingsRead.h"

namespace {

const wchar_t kConfig[] = L"CONFIG";
const wchar_t kTip[] = L"TIP";

void ReadUtf8(const SettingsSource& source, const wchar_t* key, std::string& field) {
  std::wstring value = source.ReadText(kConfig, key);
  if (value.empty()) return;
  std::string utf8 = source.ToUtf8(value);
  if (!utf8.empty()) field = utf8;
}

// Whole words, case ignored: "left", "center", "right" give 1 to 3, any other word 0.
int32_t AnchorWord(const SettingsSource& source, const std::wstring& value, const wchar_t* const words[3]) {
  for (int i = 0; i < 3; ++i) {
    if (source.EqualsIgnoringCase(value, words[i])) return i + 1;
  }
  return 0;
}

}  // namespace

ClientSettings ReadClientSettings(const std::wstring& iniPath, const SettingsSource& source) {
  ClientSettings s;
  s.iniPath = iniPath;
  const SettingsSource& f = source;
  s.debug = f.ReadInt(kConfig, L"debug") != 0;
  ReadUtf8(f, L"url", s.url);
  ReadUtf8(f, L"request", s.request);
  s.wbid = f.ReadInt(kConfig, L"wbid");
  ReadUtf8(f, L"wbname", s.wbname);
  s.showlogo = f.ReadInt(kConfig, L"showlogo") != 0;
  s.logowidth = f.ReadInt(kConfig, L"logowidth");
  s.logoheight = f.ReadInt(kConfig, L"logoheight");
  s.miniwidth = f.ReadInt(kConfig, L"miniwidth");
  s.miniheight = f.ReadInt(kConfig, L"miniheight");
  s.maxwidth = f.ReadInt(kConfig, L"maxwidth");
  s.maxheight = f.ReadInt(kConfig, L"maxheight");

  static const wchar_t* const kAlignWords[3] = {L"left", L"center", L"right"};
  static const wchar_t* const kValignWords[3] = {L"top", L"center", L"bottom"};
  std::wstring align = f.ReadText(kConfig, L"align");
  if (!align.empty()) s.align = AnchorWord(f, align, kAlignWords);
  s.alignspace = f.ReadInt(kConfig, L"alignspace");
  if (s.alignspace == 0) s.alignspace = 20;
  std::wstring valign = f.ReadText(kConfig, L"valign");
  if (!valign.empty()) s.valign = AnchorWord(f, valign, kValignWords);
  s.valignspace = f.ReadInt(kConfig, L"valignspace");
  if (s.valignspace == 0) s.valignspace = 20;

  s.xpos = f.ReadInt(kConfig, L"xpos");
  s.ypos = f.ReadInt(kConfig, L"ypos");
  s.tip_show = f.ReadInt(kTip, L"show") != 0;
  s.tip_width = f.ReadInt(kTip, L"width");
  s.tip_height = f.ReadInt(kTip, L"height");
  s.devtools = f.ReadInt(kConfig, L"devtools") != 0;
  ReadUtf8(f, L"url1", s.url1);
  ReadUtf8(f, L"url2", s.url2);
  ReadUtf8(f, L"url3", s.url3);
  return s;
}
