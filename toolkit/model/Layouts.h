#pragma once
// The three layouts of the skins.
//
// Horizontal: children with a fixed width get it; the other visible children share what is left
// of the inner width (after every child's left and right padding and the fixed widths) equally,
// in whole pixels and never below 0, the remainder staying empty at the end. Children are placed
// from the inner left edge, each after its left padding. A child without a fixed height fills the
// inner height less its top and bottom padding; one with a fixed height gets it. Both start below
// the child's top padding. The vertical layout is the same with the axes exchanged. Hidden
// children take no room.
//
// Tile: rows of `columns` cells of equal width (inner width / columns, whole pixels), filled left
// to right; each row is as tall as its tallest child plus that child's vertical padding. A child
// takes its fixed size (centred across its cell) or fills its cell less its padding.
#include "model/Container.h"

namespace ui {

class CVerticalLayoutUI : public CContainerUI {
 public:
  std::wstring ClassName() const override { return L"VerticalLayoutUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  void SetPos(const Rect& pos) override;
};

class CHorizontalLayoutUI : public CContainerUI {
 public:
  std::wstring ClassName() const override { return L"HorizontalLayoutUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  void SetPos(const Rect& pos) override;
};

class CTileLayoutUI : public CContainerUI {
 public:
  std::wstring ClassName() const override { return L"TileLayoutUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  void SetPos(const Rect& pos) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;

  int GetColumns() const { return columns_; }
  // Values below 1 are ignored: the layout keeps its number.
  void SetColumns(int columns);

 private:
  int columns_ = 1;
};

}  // namespace ui
