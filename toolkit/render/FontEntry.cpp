#include "render/FontEntry.h"

#include <map>
#include <memory>
#include <tuple>

#include "HandleScopes.h"

namespace ui {

FontEntry::FontEntry(FontInfo desc) : desc_(std::move(desc)) {
  LOGFONTW lf{};
  // A negative height asks for the character height, as the layout files give it.
  lf.lfHeight = -desc_.size;
  lf.lfWeight = desc_.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = desc_.underline ? TRUE : FALSE;
  lf.lfItalic = desc_.italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(lf.lfFaceName, desc_.face.empty() ? L"微软雅黑" : desc_.face.c_str(), LF_FACESIZE);
  font_.Reset(CreateFontIndirectW(&lf));
  resolvedFace_ = lf.lfFaceName;
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (dc && font_) {
    SelectObjectGuard select(dc.Get(), font_.Get());
    wchar_t face[LF_FACESIZE] = {};
    if (GetTextFaceW(dc.Get(), LF_FACESIZE, face) > 0) resolvedFace_ = face;
  }
}

const FontEntry* GetFontEntry(const FontInfo* font) {
  using Key = std::tuple<std::wstring, int, bool, bool, bool>;
  static std::map<Key, std::unique_ptr<FontEntry>> fonts;
  const FontInfo fallback{L"微软雅黑", 12};
  const FontInfo& info = font != nullptr ? *font : fallback;
  Key key{info.face, info.size, info.bold, info.underline, info.italic};
  auto& entry = fonts[key];
  if (!entry) entry = std::make_unique<FontEntry>(info);
  return entry.get();
}

const FontEntry* GetFontEntry(const WindowModel& window, int index) {
  return GetFontEntry(window.GetFont(index));
}

}  // namespace ui
