// The tool strip's arithmetic and the icon cache's file names, without windows.
#include <gtest/gtest.h>

#include "IconFileName.h"
#include "StripPlacement.h"

namespace {

struct PlaceCase {
  int place;
  int buttons;
  int workWidth;
  int workHeight;
  StripPlacement expected;
};

TEST(StripPlacement, EveryPlaceOnAWorkArea) {
  const PlaceCase cases[] = {
      // The shop button and one program tool at the right edge of a 1920 x 1040 work area.
      {0, 2, 1920, 1040, {1820, 417, 90, 206, false}},
      // The same two across the top.
      {2, 2, 1920, 1040, {857, 5, 206, 95, true}},
      // Twelve tools on a 728-high work area overflow both edges, centred.
      {0, 12, 1366, 728, {1266, -189, 90, 1106, false}},
      {1, 2, 1920, 1040, {10, 5, 90, 206, false}},
      {3, 2, 1920, 1040, {1820, 5, 90, 206, false}},
      {4, 2, 1920, 1040, {10, 417, 90, 206, false}},
      {5, 2, 1920, 1040, {857, -95, 206, 95, true}},
      // Odd differences halve toward zero, also below zero.
      {4, 3, 1920, 1041, {10, 372, 90, 296, false}},
      {2, 30, 1920, 1040, {-403, 5, 2726, 95, true}},
      // An unknown place, and no buttons at every place: 0 x 0 at 0, 0.
      {6, 2, 1920, 1040, {0, 0, 0, 0, false}},
      {-1, 2, 1920, 1040, {0, 0, 0, 0, false}},
      {0, 0, 1920, 1040, {0, 0, 0, 0, false}},
      {2, 0, 1920, 1040, {0, 0, 0, 0, true}},
      {5, 0, 1920, 1040, {0, 0, 0, 0, true}},
  };
  for (const PlaceCase& c : cases) {
    const StripPlacement p = PlaceStrip(c.place, c.buttons, c.workWidth, c.workHeight);
    SCOPED_TRACE("place " + std::to_string(c.place) + ", " + std::to_string(c.buttons) + " buttons");
    EXPECT_EQ(p.x, c.expected.x);
    EXPECT_EQ(p.y, c.expected.y);
    EXPECT_EQ(p.width, c.expected.width);
    EXPECT_EQ(p.height, c.expected.height);
    EXPECT_EQ(p.across, c.expected.across);
  }
}

TEST(IconFileName, NamesFromTheServiceStayOneFileInTheFolder) {
  const struct {
    const wchar_t* name;
    const wchar_t* file;
  } cases[] = {
      {L"游戏", L"游戏.png"},
      {L"QQ Music 2", L"QQ Music 2.png"},
      {L"..\\..\\evil", L".._.._evil.png"},
      {L"../up", L".._up.png"},
      {L"a/b", L"a_b.png"},
      {L"C:\\Windows\\x", L"C__Windows_x.png"},
      {L"D:", L"D_.png"},
      {L"\\\\server\\share\\f", L"__server_share_f.png"},
      {L"it's", L"it_s.png"},
      {L"say \"hi\"", L"say _hi_.png"},
      {L"a<b>c|d?e*f", L"a_b_c_d_e_f.png"},
      {L"tab\there", L"tab_here.png"},
      {L"..", L"...png"},
      {L"CON", L"_CON.png"},
      {L"nul.txt", L"_nul.txt.png"},
      {L"com1", L"_com1.png"},
      {L"LPT9 ", L"_LPT9 .png"},
      {L"CONSOLE", L"CONSOLE.png"},
      {L"COM10", L"COM10.png"},
  };
  for (const auto& c : cases) EXPECT_EQ(IconFileName(c.name), c.file) << std::wstring(c.name).size();
}

TEST(IconFileName, LongNamesAreCutAndNothingUnsafeSurvives) {
  const std::wstring longName(400, L'長');
  const std::wstring file = IconFileName(longName);
  EXPECT_EQ(file, std::wstring(100, L'長') + L".png");

  std::wstring everything;
  for (wchar_t c = 1; c < 0x80; ++c) everything.push_back(c);
  const std::wstring safe = IconFileName(everything);
  EXPECT_EQ(safe.find_first_of(L"<>:\"/\\|?*'"), std::wstring::npos);
  for (wchar_t c : safe) EXPECT_GE(c, 0x20);
}

}  // namespace
