// The value syntax of layout files and image descriptors, as tables.
#include <gtest/gtest.h>

#include "model/ImageDescriptor.h"
#include "model/ValueParser.h"

namespace {

using ui::Rect;
using ui::Size;

TEST(ValueSyntax, Integers) {
  struct Case {
    const wchar_t* text;
    bool ok;
    int value;
  } cases[] = {{L"66", true, 66},   {L"0", true, 0},           {L"-1", true, -1},  {L" 12 ", true, 12},
               {L"", false, 0},     {L"12px", false, 0},       {L"1,2", false, 0}, {L"-", false, 0},
               {L"0x10", false, 0}, {L"99999999999", false, 0}};
  for (const Case& c : cases) {
    int v = 12345;
    EXPECT_EQ(c.ok, ui::ParseInt(c.text, v)) << c.text;
    if (c.ok) {
      EXPECT_EQ(c.value, v) << c.text;
    }
  }
}

TEST(ValueSyntax, SizesAndRectangles) {
  Size s;
  EXPECT_TRUE(ui::ParseSize(L"900,360", s));
  EXPECT_EQ((Size{900, 360}), s);
  EXPECT_FALSE(ui::ParseSize(L"900", s));
  EXPECT_FALSE(ui::ParseSize(L"900,360,1", s));

  struct Case {
    const wchar_t* text;
    bool ok;
    Rect value;
  } cases[] = {{L"0,13,13,0", true, {0, 13, 13, 0}},
               {L"70, 20, 70, 37", true, {70, 20, 70, 37}},
               {L"0,0,0,-1", true, {0, 0, 0, -1}},
               {L"1,2,3", false, {}},
               {L"1,2,3,4,5", false, {}},
               {L"1,,3,4", false, {}},
               {L"a,b,c,d", false, {}}};
  for (const Case& c : cases) {
    Rect r;
    EXPECT_EQ(c.ok, ui::ParseRect(c.text, r)) << c.text;
    if (c.ok) {
      EXPECT_EQ(c.value, r) << c.text;
    }
  }
}

TEST(ValueSyntax, ColoursAndSwitches) {
  struct Case {
    const wchar_t* text;
    bool ok;
    ui::Color value;
  } cases[] = {{L"#FFFFD47D", true, 0xFFFFD47Du}, {L"#FFffffff", true, 0xFFFFFFFFu},
               {L"#00000000", true, 0u},          {L"#FFFFFF", false, 0},
               {L"FFFFD47D", false, 0},           {L"#FFFFD47G", false, 0},
               {L"#FFFFD47D0", false, 0}};
  for (const Case& c : cases) {
    ui::Color v = 1;
    EXPECT_EQ(c.ok, ui::ParseColor(c.text, v)) << c.text;
    if (c.ok) {
      EXPECT_EQ(c.value, v) << c.text;
    }
  }
  EXPECT_TRUE(ui::ParseSwitch(L"true"));
  for (const wchar_t* off : {L"false", L"1", L"", L"yes", L"TRUE "})
    EXPECT_FALSE(ui::ParseSwitch(off)) << off;
}

TEST(ValueSyntax, AttributeListsAsInDefaultElements) {
  ui::AttributeList list = ui::ParseAttributeList(
      L"thumbnormalimage=\"file='UI\\scrollbar\\v.png' corner='2,2,2,2'\" width=\"0\"");
  ASSERT_EQ(2u, list.size());
  EXPECT_EQ(L"thumbnormalimage", list[0].first);
  EXPECT_EQ(L"file='UI\\scrollbar\\v.png' corner='2,2,2,2'", list[0].second);
  EXPECT_EQ(L"width", list[1].first);
  EXPECT_EQ(L"0", list[1].second);
  // A malformed pair ends the list; what came before it stays.
  list = ui::ParseAttributeList(L"height=\"3\" broken width=\"4\"");
  ASSERT_EQ(1u, list.size());
  EXPECT_EQ(L"height", list[0].first);
  EXPECT_TRUE(ui::ParseAttributeList(L"").empty());
  EXPECT_TRUE(ui::ParseAttributeList(L"width=\"unterminated").empty());
}

struct DescriptorCase {
  const wchar_t* text;
  const wchar_t* file;
  bool hasDest;
  Rect dest;
  Rect corner;
};

TEST(ImageDescriptor, PathsAndPairs) {
  const DescriptorCase cases[] = {
      {L"UI\\loading.gif", L"UI\\loading.gif", false, {}, {}},
      {L"file='UI\\edit_bk.png' corner='12,12,12,12'", L"UI\\edit_bk.png", false, {}, {12, 12, 12, 12}},
      // The tool strip's formats, filled in.
      {L"file='UI/icon_call.png' dest='10,10,64,64'", L"UI/icon_call.png", true, {10, 10, 64, 64}, {}},
      {L"file='C:\\Orvanta\\image\\游戏.png' dest='5,5,69,69'",
       L"C:\\Orvanta\\image\\游戏.png",
       true,
       {5, 5, 69, 69},
       {}},
      {L"res='UI/tip_bk.png' corner='10,10,10,10'", L"UI/tip_bk.png", false, {}, {10, 10, 10, 10}},
      {L"file='UI/tip_bk.png' corner='10,10,10'", L"UI/tip_bk.png", false, {}, {}},
      // Parsing stops at the first piece that is not key='value'.
      {L"file='a.png' bogus dest='1,2,3,4'", L"a.png", false, {}, {}},
      {L"dest='1,2,3,4' file='b.png'", L"b.png", true, {1, 2, 3, 4}, {}},
      {L"", L"", false, {}, {}},
  };
  for (const DescriptorCase& c : cases) {
    ui::ImageDescriptor d = ui::ParseImageDescriptor(c.text);
    EXPECT_EQ(std::wstring(c.file), d.file) << c.text;
    EXPECT_EQ(c.hasDest, d.hasDest) << c.text;
    if (c.hasDest) {
      EXPECT_EQ(c.dest, d.dest) << c.text;
    }
    EXPECT_EQ(c.corner, d.corner) << c.text;
  }
}

TEST(ImageDescriptor, EveryKey) {
  ui::ImageDescriptor d = ui::ParseImageDescriptor(
      L"file='UI/x.png' restype='PNG' dest='1,2,3,4' source='5,6,7,8' corner='1,1,1,1' mask='#FFFF00FF' "
      L"fade='128' hole='true' xtiled='true' ytiled='false'");
  EXPECT_EQ(L"UI/x.png", d.file);
  EXPECT_EQ(L"PNG", d.restype);
  EXPECT_EQ((Rect{1, 2, 3, 4}), d.dest);
  ASSERT_TRUE(d.hasSource);
  EXPECT_EQ((Rect{5, 6, 7, 8}), d.source);
  EXPECT_EQ((Rect{1, 1, 1, 1}), d.corner);
  ASSERT_TRUE(d.hasMask);
  EXPECT_EQ(0xFFFF00FFu, d.mask);
  EXPECT_EQ(128, d.fade);
  EXPECT_TRUE(d.hole);
  EXPECT_TRUE(d.xtiled);
  EXPECT_FALSE(d.ytiled);
  // Out-of-range opacity keeps the default.
  EXPECT_EQ(255, ui::ParseImageDescriptor(L"file='a' fade='300'").fade);
  EXPECT_EQ(0xFF00FFu, ui::ParseImageDescriptor(L"file='a' mask='#ff00ff'").mask);
}

}  // namespace
