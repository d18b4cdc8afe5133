#pragma once
// Where the tool strip goes: its rectangle for a place number and a number of buttons, on a
// work area of the given size. Pure arithmetic, so that every place can be checked alone.

struct StripPlacement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  // The buttons run across in one row (places 2 and 5): as many columns as buttons, and the
  // tile layout's padding 10, 0, 10, 0. Otherwise the skin's single column stays.
  bool across = false;
};

// Each button cell is 90 pixels; 26 more for the strip's frame. Halving rounds toward zero.
// With no buttons the strip is 0 x 0 at 0, 0 whatever the place; an unknown place gives the same.
StripPlacement PlaceStrip(int place, int buttonCount, int workWidth, int workHeight);
