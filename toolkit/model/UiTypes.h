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

// Bounds of the layout arithmetic, whatever a layout file says: a length (fixed size, padding,
// inset, border) outside kMaxLength pixels either way is refused, and positions are kept within
// kMaxCoordinate. No screen comes near either, and sums and differences of a few of them stay
// far from integer overflow.
constexpr int kMaxLength = 1000000;
constexpr int kMaxCoordinate = 1 << 29;

inline bool IsLength(int value) { return value >= -kMaxLength && value <= kMaxLength; }
inline bool IsLength(const Rect& r) {
  return IsLength(r.left) && IsLength(r.top) && IsLength(r.right) && IsLength(r.bottom);
}
inline int ClampCoordinate(long long value) {
  return value < -kMaxCoordinate ? -kMaxCoordinate
                                 : (value > kMaxCoordinate ? kMaxCoordinate : static_cast<int>(value));
}
inline Rect ClampCoordinates(long long left, long long top, long long right, long long bottom) {
  return Rect{ClampCoordinate(left), ClampCoordinate(top), ClampCoordinate(right), ClampCoordinate(bottom)};
}

}  // namespace ui
