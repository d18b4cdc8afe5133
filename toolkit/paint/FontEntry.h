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
  explicit FontEntry(FontSpec spec);
  const FontSpec& Spec() const { return spec_; }
  HFONT Handle() const { return font_.Get(); }

 private:
  FontSpec spec_;
  UniqueFont font_;
};

}  // namespace ui
