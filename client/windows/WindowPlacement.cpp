#include "WindowPlacement.h"

namespace {

const int kDefaultSmallWidth = 927;
const int kDefaultSmallHeight = 360;
const int kDefaultLargeWidth = 1200;
const int kDefaultLargeHeight = 880;
// The margin the range checks keep below a window moved back into the work area.
const int kRangeMargin = 20;
const int kStripGap = 5;

enum Anchor { kNone = 0, kStart = 1, kCenter = 2, kEnd = 3 };

// A size pair from the settings, or the default pair when either value is missing. Negative
// values are treated as missing: as window sizes they would wrap to enormous ones.
void SizePair(int width, int height, int defaultWidth, int defaultHeight, int& outWidth, int& outHeight) {
  if (width <= 0 || height <= 0) {
    outWidth = defaultWidth;
    outHeight = defaultHeight;
  } else {
    outWidth = width;
    outHeight = height;
  }
}

// Halving is signed division, rounding toward zero.
int Half(int value) { return value / 2; }

}  // namespace

ShopPlacement ComputeShopPlacement(const ClientSettings& settings, const RECT& work) {
  ShopPlacement p;
  const int workW = work.right - work.left;
  const int workH = work.bottom - work.top;
  SizePair(settings.miniwidth, settings.miniheight, kDefaultSmallWidth, kDefaultSmallHeight, p.smallWidth,
           p.smallHeight);
  SizePair(settings.maxwidth, settings.maxheight, kDefaultLargeWidth, kDefaultLargeHeight, p.largeWidth,
           p.largeHeight);

  if (settings.align != 0 && settings.valign != 0) {
    switch (settings.align) {
      case kStart:
        p.largeX = settings.alignspace;
        break;
      case kEnd:
        p.largeX = workW - settings.alignspace - p.largeWidth;
        break;
      case kCenter:
        p.largeX = Half(workW - p.largeWidth);
        break;
      default:
        break;
    }
    switch (settings.valign) {
      case kStart:
        p.largeY = settings.valignspace;
        break;
      case kEnd:
        p.largeY = workH - settings.valignspace - p.largeHeight;
        break;
      case kCenter:
        p.largeY = Half(workH - p.largeHeight);
        break;
      default:
        break;
    }
  } else if (settings.xpos != 0 && settings.ypos != 0) {
    p.largeX = settings.xpos;
    p.largeY = settings.ypos;
  } else {
    p.smallX = Half(workW - p.smallWidth);
    p.smallY = workH - settings.valignspace - p.smallHeight;
    p.largeX = Half(workW - p.largeWidth);
    p.largeY = workH - p.largeHeight - settings.valignspace;
  }

  // Without a small position of its own the small window opens at the large one's centre.
  if (p.smallX == 0 || p.smallY == 0) {
    p.smallX = p.largeX + Half(p.largeWidth);
    p.smallY = p.largeY + Half(p.largeHeight);
  }

  if (p.smallX < 0 || p.smallX > work.right) p.smallX = Half(workW - p.smallWidth);
  if (p.smallY < 0 || p.smallY > work.bottom) p.smallY = workH - p.smallHeight - kRangeMargin;
  if (p.largeX < 0 || p.largeX > work.right) p.largeX = Half(workW - p.largeWidth);
  if (p.largeY < 0 || p.largeY > work.bottom) p.largeY = workH - p.largeHeight - kRangeMargin;
  return p;
}

POINT ComputeLogoPosition(const ClientSettings& settings, const RECT& work, int width, int height) {
  POINT at{0, 0};
  const int workHeight = work.bottom - work.top;
  if (settings.align != 0 && settings.valign != 0) {
    switch (settings.align) {
      case kStart:
        at.x = settings.alignspace;
        break;
      case kEnd:
        at.x = work.right - settings.alignspace - width;
        break;
      case kCenter:
        at.x = Half(work.right - width);
        break;
      default:
        break;
    }
    switch (settings.valign) {
      case kStart:
        at.y = settings.valignspace;
        break;
      case kEnd:
        at.y = workHeight - settings.valignspace - height;
        break;
      case kCenter:
        at.y = Half(workHeight - height);
        break;
      default:
        break;
    }
  } else if (settings.xpos != 0 && settings.ypos != 0) {
    at.x = settings.xpos;
    at.y = settings.ypos;
  } else {
    at.x = Half(work.right - width);
    at.y = workHeight - settings.valignspace - height;
  }
  return at;
}

bool LogoSizeFromSettings(const ClientSettings& settings, SIZE& size) {
  if (settings.logowidth <= 0 || settings.logoheight <= 0) return false;
  size.cx = settings.logowidth;
  size.cy = settings.logoheight;
  return true;
}

POINT KeepInsideWorkArea(int x, int y, int width, int height, const RECT& work) {
  POINT at{x, y};
  if (x + width > work.right) at.x = work.right - width;
  if (x < work.left) at.x = work.left;
  if (y < work.top) at.y = work.top;
  if (y + height > work.bottom) at.y = work.bottom - height;
  return at;
}

POINT StripAbove(int anchorX, int anchorY, int anchorWidth, int stripWidth, int stripHeight) {
  return POINT{anchorX - (stripWidth - anchorWidth) / 2, anchorY - stripHeight - kStripGap};
}
