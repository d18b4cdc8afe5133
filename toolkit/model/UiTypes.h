#pragma once
// Plain geometry and colour values of the toolkit. They carry no native handles, so that layout
// arithmetic can be computed and tested without a window.
#include <cstdint>

namespace ui {

struct Size {
  int cx = 0;
  int cy = 0;
  bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
  bool operator!=(const Size& o) const { return !(*this == o); }
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const Rect& o) const { return !(*this == o); }
};

// 0xAARRGGBB, as written in the layout files ("#FFFFD47D").
using Color = uint32_t;

}  // namespace ui
