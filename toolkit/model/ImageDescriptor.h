#pragma once
// An image descriptor of a layout attribute: a plain package path, or key='value' pairs naming
// the file and how it is drawn.
#include <string>
#include <string_view>

#include "model/UiTypes.h"

namespace ui {

struct ImageDescriptor {
  std::wstring file;     // package path (or a disk path the package lacks); empty: no image
  std::wstring restype;  // kept as given; images are always files of the package or the disk
  bool hasDest = false;
  Rect dest;  // inside the control, relative to its top left; default: the whole control
  bool hasSource = false;
  Rect source;  // part of the image; default: the whole image
  Rect corner;  // nine-grid borders that keep their size
  bool hasMask = false;
  Color mask = 0;  // pixels of this colour become transparent
  int fade = 255;
  bool hole = false;
  bool xtiled = false;
  bool ytiled = false;

  bool Empty() const { return file.empty(); }
};

// Parses left to right: the whole text is first the path; a `file` or `res` pair replaces it.
// Parsing stops at the first piece that is not key='value'. Unknown keys are skipped.
ImageDescriptor ParseImageDescriptor(std::wstring_view text);

}  // namespace ui
