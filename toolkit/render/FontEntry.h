#pragma once
// One font of the skin: the values of a "Font" element and the GDI font made from them. Fonts are
// made once per process for each set of values and shared by every window that uses them.
#include <windows.h>

#include <string>

#include "OwnedHandle.h"
#include "model/WindowModel.h"

namespace ui {

class FontEntry {
 public:
  explicit FontEntry(FontInfo desc);
  const FontInfo& Description() const { return desc_; }
  HFONT Handle() const { return font_.Get(); }
  // The face the system really chose for the font (after its font substitutions), which GDI+
  // needs: it does not apply them itself.
  const std::wstring& ResolvedFace() const { return resolvedFace_; }

 private:
  FontInfo desc_;
  std::wstring resolvedFace_;
  UniqueFont font_;
};

// The process's font for these values; null gives the fallback font (微软雅黑, 12 pixels). The
// entries live until the process ends. For the one user-interface thread.
const FontEntry* GetFontEntry(const FontInfo* font);
// The font of a window's font number (-1 or unknown: the window's default font).
const FontEntry* GetFontEntry(const WindowModel& window, int index);

}  // namespace ui
