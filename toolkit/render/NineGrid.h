#pragma once
// Nine-grid scaling done on the pixels themselves: the corners are copied, the borders and the
// middle are stretched (nearest pixel), so the pieces meet exactly, without the fading or gaps
// that stretching each piece separately leaves at its seams.
#include <cstdint>
#include <vector>

#include "model/UiTypes.h"

namespace ui {

// `pixels`: the whole image, `imageWidth` pixels a row; `source`: the part used; `corner`: the
// borders that keep their size. Returns destWidth x destHeight pixels (same format as the
// image); with `hole` the middle stays transparent.
std::vector<uint32_t> ComposeNineGrid(const uint32_t* pixels, int imageWidth, const Rect& source,
                                      const Rect& corner, int destWidth, int destHeight, bool hole);

}  // namespace ui
