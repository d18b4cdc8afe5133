// Layout arithmetic of the three layouts, computed without a window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "model/Layouts.h"

namespace {

using ui::CControlUI;
using ui::Rect;

// Adds a plain control (as an empty label is in a layout) with a fixed width and height (0 = flexible) and
// padding; returns it.
CControlUI* AddLabel(ui::CContainerUI& layout, int width = 0, int height = 0, Rect padding = {}) {
  auto* label = new CControlUI;
  label->SetFixedWidth(width);
  label->SetFixedHeight(height);
  label->SetPadding(padding);
  layout.Add(label);
  return label;
}

TEST(LayoutArithmetic, TwoEmptyLabelsCentreAFixedOne) {
  ui::CHorizontalLayoutUI row;
  CControlUI* left = AddLabel(row);
  CControlUI* middle = AddLabel(row, 50);
  CControlUI* right = AddLabel(row);
  row.SetPos(Rect{0, 0, 300, 30});
  EXPECT_EQ((Rect{0, 0, 125, 30}), left->GetPos());
  EXPECT_EQ((Rect{125, 0, 175, 30}), middle->GetPos());
  EXPECT_EQ((Rect{175, 0, 300, 30}), right->GetPos());
}

struct LineCase {
  const char* what;
  int length;  // layout width (horizontal) or height (vertical)
  Rect inset;
  std::vector<int> fixed;  // 0 = flexible, -1 = hidden flexible child
  std::vector<int> padBefore;
  std::vector<int> padAfter;
  std::vector<std::pair<int, int>> expected;  // start, end along the line for visible children
};

void RunLine(const LineCase& c, bool horizontal) {
  std::unique_ptr<ui::CContainerUI> layout;
  if (horizontal) {
    layout = std::make_unique<ui::CHorizontalLayoutUI>();
  } else {
    layout = std::make_unique<ui::CVerticalLayoutUI>();
  }
  layout->SetInset(horizontal ? c.inset : Rect{c.inset.top, c.inset.left, c.inset.bottom, c.inset.right});
  std::vector<CControlUI*> visible;
  for (size_t i = 0; i < c.fixed.size(); ++i) {
    int fixed = c.fixed[i] < 0 ? 0 : c.fixed[i];
    int before = i < c.padBefore.size() ? c.padBefore[i] : 0;
    int after = i < c.padAfter.size() ? c.padAfter[i] : 0;
    CControlUI* label = horizontal ? AddLabel(*layout, fixed, 0, Rect{before, 0, after, 0})
                                   : AddLabel(*layout, 0, fixed, Rect{0, before, 0, after});
    if (c.fixed[i] < 0) {
      label->SetVisible(false);
    } else {
      visible.push_back(label);
    }
  }
  layout->SetPos(horizontal ? Rect{10, 20, 10 + c.length, 60} : Rect{20, 10, 60, 10 + c.length});
  ASSERT_EQ(c.expected.size(), visible.size()) << c.what;
  for (size_t i = 0; i < visible.size(); ++i) {
    const Rect& pos = visible[i]->GetPos();
    int start = horizontal ? pos.left : pos.top;
    int end = horizontal ? pos.right : pos.bottom;
    EXPECT_EQ(c.expected[i].first, start) << c.what << " child " << i << (horizontal ? " (h)" : " (v)");
    EXPECT_EQ(c.expected[i].second, end) << c.what << " child " << i << (horizontal ? " (h)" : " (v)");
  }
}

// Positions are absolute: the layout starts at 10 along its axis.
const LineCase kLineCases[] = {
    {"300 wide, empty labels round a 50", 300, {}, {0, 50, 0}, {}, {}, {{10, 135}, {135, 185}, {185, 310}}},
    {"remainder stays empty at the end", 301, {}, {0, 0}, {}, {}, {{10, 160}, {160, 310}}},
    {"hidden children take no room",
     300,
     {},
     {0, -1, 50, -1, 0},
     {},
     {},
     {{10, 135}, {135, 185}, {185, 310}}},
    {"padding before and after", 300, {}, {0, 100}, {10, 20}, {5, 15}, {{20, 170}, {195, 295}}},
    {"inset narrows the room", 300, {30, 0, 20, 0}, {0, 0}, {}, {}, {{40, 165}, {165, 290}}},
    {"fixed children too wide: flexible ones get 0",
     100,
     {},
     {80, 0, 80},
     {},
     {},
     {{10, 90}, {90, 90}, {90, 170}}},
    {"only fixed children", 300, {}, {40, 60}, {}, {}, {{10, 50}, {50, 110}}},
};

TEST(LayoutArithmetic, HorizontalLines) {
  for (const LineCase& c : kLineCases) RunLine(c, true);
}

TEST(LayoutArithmetic, VerticalLinesMirrorHorizontalOnes) {
  for (const LineCase& c : kLineCases) RunLine(c, false);
}

TEST(LayoutArithmetic, CrossAxisFillsOrKeepsTheFixedSize) {
  ui::CHorizontalLayoutUI row;
  row.SetInset(Rect{1, 2, 3, 4});
  CControlUI* filling = AddLabel(row, 30, 0, Rect{0, 5, 0, 6});
  CControlUI* fixed = AddLabel(row, 21, 21, Rect{0, 13, 13, 0});
  row.SetPos(Rect{0, 0, 200, 47});
  // Inner area: x 1..197, y 2..43.
  EXPECT_EQ((Rect{1, 7, 31, 37}), filling->GetPos());
  EXPECT_EQ((Rect{31, 15, 52, 36}), fixed->GetPos());
}

TEST(TileLayout, ZeroColumnsKeepTheNumber) {
  ui::CTileLayoutUI tiles;
  EXPECT_EQ(1, tiles.GetColumns());
  tiles.SetColumns(3);
  tiles.SetColumns(0);
  EXPECT_EQ(3, tiles.GetColumns());
  tiles.SetColumns(-2);
  EXPECT_EQ(3, tiles.GetColumns());
  EXPECT_TRUE(tiles.SetAttribute(L"columns", L"0"));
  EXPECT_EQ(3, tiles.GetColumns());
  tiles.SetAttribute(L"columns", L"2");
  EXPECT_EQ(2, tiles.GetColumns());
}

TEST(TileLayout, RowsOfEqualCellsAsTallAsTheirTallestChild) {
  ui::CTileLayoutUI tiles;
  tiles.SetColumns(2);
  CControlUI* a = AddLabel(tiles, 70, 90);
  CControlUI* b = AddLabel(tiles, 70, 60, Rect{0, 5, 0, 10});
  CControlUI* hidden = AddLabel(tiles, 70, 500);
  hidden->SetVisible(false);
  CControlUI* c = AddLabel(tiles, 0, 0, Rect{2, 3, 4, 5});
  tiles.SetPos(Rect{10, 0, 196, 1000});
  // Cells are 186 / 2 = 93 wide; fixed widths are centred across their cell.
  EXPECT_EQ((Rect{21, 0, 91, 90}), a->GetPos());
  EXPECT_EQ((Rect{114, 5, 184, 65}), b->GetPos());
  // Second row: as tall as the tallest child (0 + padding 8); a flexible child fills its cell.
  EXPECT_EQ((Rect{12, 93, 99, 93}), c->GetPos());
}

TEST(TileLayout, OneColumnStacksTheToolButtons) {
  ui::CTileLayoutUI tiles;
  tiles.SetPadding(Rect{10, 10, 10, 10});
  std::vector<CControlUI*> buttons;
  for (int i = 0; i < 3; ++i) buttons.push_back(AddLabel(tiles, 70, 90));
  tiles.SetPos(Rect{10, 10, 80, 286});
  for (int i = 0; i < 3; ++i) EXPECT_EQ((Rect{10, 10 + 90 * i, 80, 100 + 90 * i}), buttons[i]->GetPos()) << i;
}

TEST(Visibility, ContainersHandTheirVisibilityDown) {
  ui::CVerticalLayoutUI outer;
  auto* inner = new ui::CHorizontalLayoutUI;
  outer.Add(inner);
  CControlUI* shown = AddLabel(*inner);
  CControlUI* ownHidden = AddLabel(*inner);
  ownHidden->SetVisible(false);

  outer.SetVisible(false);
  EXPECT_FALSE(inner->IsVisible());
  EXPECT_FALSE(shown->IsVisible());
  EXPECT_TRUE(shown->IsOwnVisible());
  // A child added to a hidden container starts hidden too.
  CControlUI* late = AddLabel(*inner);
  EXPECT_FALSE(late->IsVisible());

  outer.SetVisible(true);
  EXPECT_TRUE(inner->IsVisible());
  EXPECT_TRUE(shown->IsVisible());
  EXPECT_TRUE(late->IsVisible());
  EXPECT_FALSE(ownHidden->IsVisible());
}

TEST(Container, OwnsItsChildrenAndAnswersTheContainerInterface) {
  ui::CHorizontalLayoutUI row;
  auto* container = static_cast<ui::IContainer*>(row.InterfaceFor(L"IContainer"));
  ASSERT_EQ(static_cast<ui::IContainer*>(&row), container);
  CControlUI label;
  EXPECT_EQ(nullptr, label.InterfaceFor(L"IContainer"));
  EXPECT_FALSE(container->Add(nullptr));
  auto* a = new CControlUI;
  EXPECT_TRUE(container->Add(a));
  EXPECT_EQ(&row, a->GetParent());
  auto* b = new CControlUI;
  EXPECT_TRUE(container->AddAt(b, 0));
  EXPECT_EQ(0, container->GetItemIndex(b));
  EXPECT_FALSE(container->AddAt(new CControlUI, 7));  // deleted, not leaked
  EXPECT_EQ(2, container->GetCount());
  EXPECT_TRUE(container->Remove(b));
  EXPECT_EQ(1, container->GetCount());
}

}  // namespace

// Lengths far beyond any screen, as a damaged or hostile layout file gives them (the first one is
// the input the layout fuzz target found): a length outside ui::kMaxLength is refused, and sums
// over many children keep every position within ui::kMaxCoordinate instead of overflowing.
TEST(LayoutArithmetic, ExtremeLengthsAreRefusedAndPositionsStayBounded) {
  struct Case {
    const char* what;
    const wchar_t* name;
    const wchar_t* value;
    bool applied;
  };
  const Case cases[] = {
      {"inset at INT_MAX", L"inset", L"2147483647,0,2147483647,0", false},
      {"padding at INT_MIN", L"padding", L"-2147483648,0,0,0", false},
      {"width beyond the bound", L"width", L"1000001", false},
      {"height at the bound", L"height", L"1000000", true},
      {"negative padding at the bound", L"padding", L"-1000000,0,0,0", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::CVerticalLayoutUI column;
    ui::CControlUI* child = AddLabel(column, 0, 10, Rect{10, 10, 10, 10});
    ui::CControlUI& target = std::wstring(c.name) == L"inset" ? column : *child;
    ASSERT_TRUE(target.SetAttribute(c.name, c.value));
    column.SetPos(Rect{0, 0, 90, 386});
    const Rect unchanged{10, 10, 80, 20};
    if (c.applied) {
      EXPECT_NE(unchanged, child->GetPos());
    } else {
      EXPECT_EQ(unchanged, child->GetPos());
    }
    EXPECT_LE(std::abs(child->GetPos().left), ui::kMaxCoordinate);
    EXPECT_LE(std::abs(child->GetPos().bottom), ui::kMaxCoordinate);
  }

  // 3000 children of the largest width: their sum passes 2^31.
  ui::CHorizontalLayoutUI row;
  std::vector<CControlUI*> children;
  for (int i = 0; i < 3000; ++i)
    children.push_back(AddLabel(row, ui::kMaxLength, 0, Rect{ui::kMaxLength, 0, 0, 0}));
  row.SetPos(Rect{0, 0, 300, 30});
  int previousRight = 0;
  for (CControlUI* child : children) {
    const Rect& pos = child->GetPos();
    EXPECT_LE(previousRight, pos.left);
    EXPECT_LE(pos.left, pos.right);
    EXPECT_LE(pos.right, ui::kMaxCoordinate);
    previousRight = pos.right;
  }
  EXPECT_EQ(ui::kMaxCoordinate, children.back()->GetPos().right);
}
