// Where the main frame, the logo and the attached tool strip go, for settings and work areas.
#include <gtest/gtest.h>

#include "WindowPlacement.h"

namespace {

const RECT kWork1040{0, 0, 1920, 1040};

ClientSettings Settings() { return ClientSettings(); }

struct ShopCase {
  const char* name;
  ClientSettings settings;
  RECT work;
  ShopPlacement expected;  // small w, h, large w, h, small x, y, large x, y
};

ClientSettings With(void (*edit)(ClientSettings&)) {
  ClientSettings s;
  edit(s);
  return s;
}

}  // namespace

TEST(ShopPlacement, Table) {
  const ShopCase cases[] = {
      {"empty settings", Settings(), kWork1040, {927, 360, 1200, 880, 496, 660, 360, 140}},
      {"right and bottom anchors",
       With([](ClientSettings& s) { s.align = 3, s.valign = 3; }),
       kWork1040,
       {927, 360, 1200, 880, 1300, 580, 700, 140}},
      {"left and top anchors",
       With([](ClientSettings& s) { s.align = 1, s.valign = 1; }),
       kWork1040,
       {927, 360, 1200, 880, 620, 460, 20, 20}},
      {"centred anchors with their own spaces",
       With([](ClientSettings& s) { s.align = 2, s.valign = 2, s.alignspace = 99, s.valignspace = 99; }),
       kWork1040,
       {927, 360, 1200, 880, 960, 520, 360, 80}},
      {"left anchor with the other spaces",
       With([](ClientSettings& s) { s.align = 1, s.valign = 3, s.alignspace = 50, s.valignspace = 30; }),
       kWork1040,
       {927, 360, 1200, 880, 650, 570, 50, 130}},
      {"an anchor value out of range stays at 0",
       With([](ClientSettings& s) { s.align = 7, s.valign = 1; }),
       kWork1040,
       {927, 360, 1200, 880, 600, 460, 0, 20}},
      {"align without valign is unset",
       With([](ClientSettings& s) { s.align = 3; }),
       kWork1040,
       {927, 360, 1200, 880, 496, 660, 360, 140}},
      {"xpos 100 with ypos 0 is unset",
       With([](ClientSettings& s) { s.xpos = 100; }),
       kWork1040,
       {927, 360, 1200, 880, 496, 660, 360, 140}},
      {"xpos and ypos",
       With([](ClientSettings& s) { s.xpos = 100, s.ypos = 50; }),
       kWork1040,
       {927, 360, 1200, 880, 700, 490, 100, 50}},
      {"small window past the right edge falls back to the centre",
       With([](ClientSettings& s) { s.xpos = 1800, s.ypos = 100; }),
       kWork1040,
       {927, 360, 1200, 880, 496, 540, 1800, 100}},
      {"positions past the bottom fall back with the fixed margin",
       With([](ClientSettings& s) { s.xpos = 10, s.ypos = 1041; }),
       kWork1040,
       {927, 360, 1200, 880, 610, 660, 10, 140}},
      {"large window taller than the work area",
       With([](ClientSettings& s) { s.maxwidth = 1200, s.maxheight = 1100; }),
       kWork1040,
       {927, 360, 1200, 1100, 496, 660, 360, -80}},
      {"own sizes",
       With([](ClientSettings& s) {
         s.miniwidth = 1000, s.miniheight = 400, s.maxwidth = 1100, s.maxheight = 800;
       }),
       kWork1040,
       {1000, 400, 1100, 800, 460, 620, 410, 220}},
      {"a size pair with one value missing is the default pair",
       With([](ClientSettings& s) { s.miniwidth = 1000, s.maxheight = 800; }),
       kWork1040,
       {927, 360, 1200, 880, 496, 660, 360, 140}},
      {"negative sizes are the default pair",
       With([](ClientSettings& s) {
         s.miniwidth = -1000, s.miniheight = 400, s.maxwidth = 1100, s.maxheight = -1;
       }),
       kWork1040,
       {927, 360, 1200, 880, 496, 660, 360, 140}},
      {"a work area below a top task bar: its edges are not added",
       Settings(),
       RECT{0, 40, 1920, 1080},
       {927, 360, 1200, 880, 496, 660, 360, 140}},
      {"the valign space lifts both windows",
       With([](ClientSettings& s) { s.valignspace = 100; }),
       kWork1040,
       {927, 360, 1200, 880, 496, 580, 360, 60}},
  };
  for (const ShopCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ShopPlacement p = ComputeShopPlacement(c.settings, c.work);
    EXPECT_EQ(c.expected.smallWidth, p.smallWidth);
    EXPECT_EQ(c.expected.smallHeight, p.smallHeight);
    EXPECT_EQ(c.expected.largeWidth, p.largeWidth);
    EXPECT_EQ(c.expected.largeHeight, p.largeHeight);
    EXPECT_EQ(c.expected.smallX, p.smallX);
    EXPECT_EQ(c.expected.smallY, p.smallY);
    EXPECT_EQ(c.expected.largeX, p.largeX);
    EXPECT_EQ(c.expected.largeY, p.largeY);
  }
}

TEST(LogoPlacement, StartTable) {
  struct LogoCase {
    const char* name;
    ClientSettings settings;
    RECT work;
    POINT expected;
  };
  const LogoCase cases[] = {
      {"empty settings", Settings(), kWork1040, {835, 865}},
      {"right and bottom anchors",
       With([](ClientSettings& s) { s.align = 3, s.valign = 3; }),
       kWork1040,
       {1650, 865}},
      {"left and top anchors",
       With([](ClientSettings& s) { s.align = 1, s.valign = 1; }),
       kWork1040,
       {20, 20}},
      {"centred anchors", With([](ClientSettings& s) { s.align = 2, s.valign = 2; }), kWork1040, {835, 442}},
      {"an anchor value out of range is 0",
       With([](ClientSettings& s) { s.align = 4, s.valign = 9; }),
       kWork1040,
       {0, 0}},
      {"centre without valign is the default",
       With([](ClientSettings& s) { s.align = 2; }),
       kWork1040,
       {835, 865}},
      {"xpos 100 with ypos 0 is the default",
       With([](ClientSettings& s) { s.xpos = 100; }),
       kWork1040,
       {835, 865}},
      {"xpos and ypos", With([](ClientSettings& s) { s.xpos = 100, s.ypos = 200; }), kWork1040, {100, 200}},
      {"a work area below a top task bar: x from its right edge, y from its height",
       Settings(),
       RECT{0, 40, 1920, 1080},
       {835, 865}},
      {"a second monitor's work area: x from its right edge",
       With([](ClientSettings& s) { s.align = 3, s.valign = 1; }),
       RECT{1920, 0, 3840, 1040},
       {3570, 20}},
  };
  for (const LogoCase& c : cases) {
    SCOPED_TRACE(c.name);
    const POINT at = ComputeLogoPosition(c.settings, c.work, 250, 155);
    EXPECT_EQ(c.expected.x, at.x);
    EXPECT_EQ(c.expected.y, at.y);
  }
}

TEST(LogoPlacement, SizeOnlyWhenBothValuesAreGiven) {
  struct SizeCase {
    int width;
    int height;
    bool resized;
  };
  const SizeCase cases[] = {
      {300, 0, false}, {0, 200, false}, {0, 0, false}, {300, 200, true}, {-300, 200, false}};
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    ClientSettings s;
    s.logowidth = c.width;
    s.logoheight = c.height;
    SIZE size{250, 155};
    EXPECT_EQ(c.resized, LogoSizeFromSettings(s, size));
    if (c.resized) {
      EXPECT_EQ(c.width, size.cx);
      EXPECT_EQ(c.height, size.cy);
    }
  }
}

TEST(LogoPlacement, KeptInsideTheWorkArea) {
  struct MoveCase {
    const char* name;
    RECT proposed;  // x, y, width, height
    RECT work;
    POINT expected;
  };
  const MoveCase cases[] = {
      {"inside", {100, 100, 250, 155}, kWork1040, {100, 100}},
      {"past the right edge", {1800, 100, 250, 155}, kWork1040, {1670, 100}},
      {"past the left edge", {-30, 100, 250, 155}, kWork1040, {0, 100}},
      {"above the top", {100, -10, 250, 155}, kWork1040, {100, 0}},
      {"below the bottom", {100, 950, 250, 155}, kWork1040, {100, 885}},
      {"into a corner", {1900, 1030, 250, 155}, kWork1040, {1670, 885}},
      {"wider than the area, left edge wins", {-5, 0, 2000, 155}, kWork1040, {0, 0}},
      {"wider than the area, inside on the left", {10, 0, 2000, 155}, kWork1040, {-80, 0}},
      {"taller than the area, bottom edge wins", {0, -5, 250, 1100}, kWork1040, {0, -60}},
      {"a work area off the origin", {50, 10, 250, 155}, RECT{100, 40, 1920, 1080}, {100, 40}},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.name);
    const POINT at =
        KeepInsideWorkArea(c.proposed.left, c.proposed.top, c.proposed.right, c.proposed.bottom, c.work);
    EXPECT_EQ(c.expected.x, at.x);
    EXPECT_EQ(c.expected.y, at.y);
  }
}

TEST(LogoPlacement, StripCentredFivePixelsAbove) {
  // A strip narrower than the logo, and one wider than the main frame.
  POINT narrow = StripAbove(835, 865, 250, 90, 386);
  EXPECT_EQ(915, narrow.x);
  EXPECT_EQ(474, narrow.y);
  POINT wide = StripAbove(100, 500, 60, 91, 40);
  EXPECT_EQ(85, wide.x);  // 100 - 31 / 2, rounding toward zero
  EXPECT_EQ(455, wide.y);
}
