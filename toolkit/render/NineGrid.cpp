#include "render/NineGrid.h"

namespace ui {
namespace {

// Source coordinate of a destination coordinate along one axis, or -1 for the hole's middle.
int MapAxis(int d, int destSize, int srcStart, int srcEnd, int lead, int trail, bool& middle) {
  const int srcSize = srcEnd - srcStart;
  middle = false;
  if (d < lead) return srcStart + (d < srcSize ? d : srcSize - 1);
  if (d >= destSize - trail) {
    const int s = srcEnd - (destSize - d);
    return s < srcStart ? srcStart : s;
  }
  middle = true;
  const int midSrc = srcSize - lead - trail;
  const int midDest = destSize - lead - trail;
  if (midSrc <= 0 || midDest <= 0) return -1;
  // Nearest pixel: the centre of destination pixel i falls on source (i + 0.5) * midSrc / midDest.
  const long long i = d - lead;
  const int s = static_cast<int>(((2 * i + 1) * midSrc) / (2LL * midDest));
  return srcStart + lead + (s < midSrc ? s : midSrc - 1);
}

}  // namespace

std::vector<uint32_t> ComposeNineGrid(const uint32_t* pixels, int imageWidth, const Rect& source,
                                      const Rect& corner, int destWidth, int destHeight, bool hole) {
  std::vector<uint32_t> out;
  if (pixels == nullptr || destWidth <= 0 || destHeight <= 0 || source.IsEmpty()) return out;
  out.assign(static_cast<size_t>(destWidth) * static_cast<size_t>(destHeight), 0);
  for (int y = 0; y < destHeight; ++y) {
    bool midY = false;
    const int sy = MapAxis(y, destHeight, source.top, source.bottom, corner.top, corner.bottom, midY);
    if (sy < 0) continue;
    const uint32_t* row = pixels + static_cast<size_t>(sy) * static_cast<size_t>(imageWidth);
    uint32_t* target = out.data() + static_cast<size_t>(y) * static_cast<size_t>(destWidth);
    for (int x = 0; x < destWidth; ++x) {
      bool midX = false;
      const int sx = MapAxis(x, destWidth, source.left, source.right, corner.left, corner.right, midX);
      if (sx < 0 || (hole && midX && midY)) continue;
      target[x] = row[sx];
    }
  }
  return out;
}

}  // namespace ui
