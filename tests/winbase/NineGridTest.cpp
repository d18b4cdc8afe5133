#include <gtest/gtest.h>

#include "render/NineGrid.h"

namespace {

// A 5x5 image whose pixel value is 10 * row + column, corners of 2.
std::vector<uint32_t> Numbered() {
  std::vector<uint32_t> px;
  for (uint32_t y = 0; y < 5; ++y) {
    for (uint32_t x = 0; x < 5; ++x) px.push_back(10 * y + x);
  }
  return px;
}

TEST(NineGridTest, CornersKeepTheirPixelsBordersAndMiddleStretch) {
  const std::vector<uint32_t> px = Numbered();
  const std::vector<uint32_t> out =
      ui::ComposeNineGrid(px.data(), 5, ui::Rect{0, 0, 5, 5}, ui::Rect{2, 2, 2, 2}, 9, 7, false);
  ASSERT_EQ(out.size(), 63u);
  auto at = [&](int x, int y) { return out[static_cast<size_t>(y) * 9 + x]; };
  // Corners: copied.
  EXPECT_EQ(at(0, 0), 0u);
  EXPECT_EQ(at(1, 1), 11u);
  EXPECT_EQ(at(8, 0), 4u);
  EXPECT_EQ(at(7, 6), 43u);
  EXPECT_EQ(at(0, 6), 40u);
  // The one middle column and row of the source fill the stretched parts.
  for (int x = 2; x < 7; ++x) {
    EXPECT_EQ(at(x, 0), 2u);
    EXPECT_EQ(at(x, 3), 22u);
    EXPECT_EQ(at(x, 6), 42u);
  }
  for (int y = 2; y < 5; ++y) EXPECT_EQ(at(0, y), 20u);
}

TEST(NineGridTest, HoleSourcePartAndSmallTargets) {
  const std::vector<uint32_t> px = Numbered();
  const std::vector<uint32_t> holed =
      ui::ComposeNineGrid(px.data(), 5, ui::Rect{0, 0, 5, 5}, ui::Rect{1, 1, 1, 1}, 6, 6, true);
  EXPECT_EQ(holed[static_cast<size_t>(3) * 6 + 3], 0u) << "the middle stays empty";
  EXPECT_EQ(holed[static_cast<size_t>(0) * 6 + 3], 2u) << "the top border is kept";
  // A source part: the image's inner 3x3 drawn 1:1 with corners of 1.
  const std::vector<uint32_t> part =
      ui::ComposeNineGrid(px.data(), 5, ui::Rect{1, 1, 4, 4}, ui::Rect{1, 1, 1, 1}, 3, 3, false);
  EXPECT_EQ(part, (std::vector<uint32_t>{11, 12, 13, 21, 22, 23, 31, 32, 33}));
  EXPECT_TRUE(
      ui::ComposeNineGrid(px.data(), 5, ui::Rect{0, 0, 5, 5}, ui::Rect{2, 2, 2, 2}, 0, 4, false).empty());
  // Narrower than its corners: no crash, the corners' pixels.
  const std::vector<uint32_t> narrow =
      ui::ComposeNineGrid(px.data(), 5, ui::Rect{0, 0, 5, 5}, ui::Rect{2, 2, 2, 2}, 3, 5, false);
  EXPECT_EQ(narrow.size(), 15u);
}

}  // namespace
