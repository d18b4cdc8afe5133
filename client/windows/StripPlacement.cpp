#include "StripPlacement.h"

StripPlacement PlaceStrip(int place, int buttonCount, int workWidth, int workHeight) {
  StripPlacement p;
  const int n = buttonCount;
  const int length = n * 90 + 26;
  switch (place) {
    case 0:  // right edge, centred
      p = {workWidth - 100, 0, 90, length, false};
      p.y = (workHeight - p.height) / 2;
      break;
    case 1:  // top left
      p = {10, 5, 90, length, false};
      break;
    case 2:  // top, across
      p = {0, 5, length, 95, true};
      p.x = (workWidth - p.width) / 2;
      break;
    case 3:  // top right
      p = {workWidth - 100, 5, 90, length, false};
      break;
    case 4:  // left edge, centred
      p = {10, 0, 90, length, false};
      p.y = (workHeight - p.height) / 2;
      break;
    case 5:  // attached above the logo or the main frame, which move it
      p = {0, -95, length, 95, true};
      p.x = (workWidth - p.width) / 2;
      break;
    default:
      return StripPlacement{};
  }
  if (n == 0) return StripPlacement{0, 0, 0, 0, p.across};
  return p;
}
