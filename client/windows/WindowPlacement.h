#pragma once
// Where the main frame, the logo and an attached tool strip go: pure arithmetic on the settings
// and a work area, so that every rule can be checked without a screen.
#include <windows.h>

#include "ClientSettings.h"

// The main frame's two rectangles: small mode and large mode.
struct ShopPlacement {
  int smallWidth = 0;
  int smallHeight = 0;
  int largeWidth = 0;
  int largeHeight = 0;
  int smallX = 0;
  int smallY = 0;
  int largeX = 0;
  int largeY = 0;
};

// The main frame's sizes and positions for a work area (that of its monitor). The positions are
// computed from the work area's width and height alone.
ShopPlacement ComputeShopPlacement(const ClientSettings& settings, const RECT& work);

// Where the logo starts: `width` and `height` are its size as laid out from the skin.
POINT ComputeLogoPosition(const ClientSettings& settings, const RECT& work, int width, int height);

// The logo's size after its start: the settings' size when both values are given, else the
// skin's. False when the skin's size stays.
bool LogoSizeFromSettings(const ClientSettings& settings, SIZE& size);

// A proposed logo position moved inside the work area; the left and the bottom edges win when
// the logo is larger than the area.
POINT KeepInsideWorkArea(int x, int y, int width, int height, const RECT& work);

// The tool strip's top-left corner when it is centred 5 pixels above a window's rectangle.
POINT StripAbove(int anchorX, int anchorY, int anchorWidth, int stripWidth, int stripHeight);
