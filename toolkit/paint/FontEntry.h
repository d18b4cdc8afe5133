#pragma once
// One font of a window: the values of its "Font" element and the GDI font made from them.
#include <windows.h>

#include <string>

#include "GdiHandles.h"
#include "PaintManager.h"

namespace ui {

using FontSpec = FontInfo;

class FontEntry {
 public:
  explicit FontEntry(FontSpec desc);
  const FontSpec& Description() const { return desc_; }
  HFONT Handle() const { return font_.Get(); }
  // The face the system really chose for the font (after its font substitutions), which GDI+
  // needs: it does not apply them itself.
  const std::wstring& ResolvedFace() const { return resolvedFace_; }

 private:
  FontSpec desc_;
  std::wstring resolvedFace_;
  UniqueFont font_;
};

}  // namespace ui
