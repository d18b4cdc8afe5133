#include "model/Layouts.h"

#include <algorithm>

#include "model/ValueParser.h"

namespace ui {
namespace {

// Places the visible children of a line layout along one axis. `horizontal` selects the axis;
// the code reads as the horizontal case, with x/width along the line.
void LayoutLine(CContainerUI& layout, bool horizontal) {
  Rect inner = layout.InnerRect();
  const int along = horizontal ? inner.Width() : inner.Height();
  const int across = horizontal ? inner.Height() : inner.Width();
  const Size available{inner.Width(), inner.Height()};

  // Sums over many children, and the cursor below, are kept in 64 bits.
  long long fixedSum = 0;
  long long paddingSum = 0;
  int flexible = 0;
  for (int i = 0; i < layout.GetCount(); ++i) {
    CControlUI* child = layout.GetItemAt(i);
    if (!child->IsOwnVisible()) continue;
    const Rect& pad = child->GetPadding();
    paddingSum += horizontal ? static_cast<long long>(pad.left) + pad.right
                             : static_cast<long long>(pad.top) + pad.bottom;
    Size size = child->EstimateSize(available);
    int fixed = horizontal ? size.cx : size.cy;
    if (fixed > 0) {
      fixedSum += fixed;
    } else {
      ++flexible;
    }
  }
  const long long share = flexible > 0 ? std::max(0LL, (along - paddingSum - fixedSum) / flexible) : 0;

  long long cursor = horizontal ? inner.left : inner.top;
  for (int i = 0; i < layout.GetCount(); ++i) {
    CControlUI* child = layout.GetItemAt(i);
    if (!child->IsOwnVisible()) continue;
    const Rect& pad = child->GetPadding();
    Size size = child->EstimateSize(available);
    const int fixedAlong = horizontal ? size.cx : size.cy;
    const int fixedAcross = horizontal ? size.cy : size.cx;
    const int padBefore = horizontal ? pad.left : pad.top;
    const int padAfter = horizontal ? pad.right : pad.bottom;
    const int crossBefore = horizontal ? pad.top : pad.left;
    const int crossAfter = horizontal ? pad.bottom : pad.right;

    cursor += padBefore;
    const long long length = fixedAlong > 0 ? fixedAlong : share;
    const long long thickness =
        fixedAcross > 0 ? fixedAcross
                        : std::max(0LL, static_cast<long long>(across) - crossBefore - crossAfter);
    const long long crossStart = static_cast<long long>(horizontal ? inner.top : inner.left) + crossBefore;
    if (horizontal) {
      child->SetPos(ClampCoordinates(cursor, crossStart, cursor + length, crossStart + thickness));
    } else {
      child->SetPos(ClampCoordinates(crossStart, cursor, crossStart + thickness, cursor + length));
    }
    cursor += length + padAfter;
  }
}

}  // namespace

void* CVerticalLayoutUI::InterfaceFor(std::wstring_view name) {
  if (name == L"VerticalLayout") return this;
  return CContainerUI::InterfaceFor(name);
}

void CVerticalLayoutUI::SetPos(const Rect& pos) {
  CControlUI::SetPos(pos);
  LayoutLine(*this, false);
}

void* CHorizontalLayoutUI::InterfaceFor(std::wstring_view name) {
  if (name == L"HorizontalLayout") return this;
  return CContainerUI::InterfaceFor(name);
}

void CHorizontalLayoutUI::SetPos(const Rect& pos) {
  CControlUI::SetPos(pos);
  LayoutLine(*this, true);
}

void* CTileLayoutUI::InterfaceFor(std::wstring_view name) {
  if (name == L"TileLayout") return this;
  return CContainerUI::InterfaceFor(name);
}

void CTileLayoutUI::SetColumns(int columns) {
  if (columns < 1) return;
  columns_ = columns;
  NeedUpdate();
}

bool CTileLayoutUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"columns") {
    int n = 0;
    if (ParseInt(value, n)) SetColumns(n);
    return true;
  }
  return CContainerUI::SetAttribute(name, value);
}

void CTileLayoutUI::SetPos(const Rect& pos) {
  CControlUI::SetPos(pos);
  Rect inner = InnerRect();
  const int cellWidth = inner.Width() / columns_;

  std::vector<CControlUI*> visible;
  for (int i = 0; i < GetCount(); ++i) {
    if (GetItemAt(i)->IsOwnVisible()) visible.push_back(GetItemAt(i));
  }
  auto cellRoom = [cellWidth](const CControlUI* child) {
    const Rect& pad = child->GetPadding();
    return std::max(0, cellWidth - pad.left - pad.right);
  };

  long long top = inner.top;
  for (size_t rowStart = 0; rowStart < visible.size(); rowStart += static_cast<size_t>(columns_)) {
    size_t rowEnd = std::min(visible.size(), rowStart + static_cast<size_t>(columns_));
    int rowHeight = 0;
    for (size_t i = rowStart; i < rowEnd; ++i) {
      const Rect& pad = visible[i]->GetPadding();
      Size size = visible[i]->EstimateSize(Size{cellRoom(visible[i]), inner.Height()});
      rowHeight = std::max(rowHeight, size.cy + pad.top + pad.bottom);
    }
    for (size_t i = rowStart; i < rowEnd; ++i) {
      CControlUI* child = visible[i];
      const Rect& pad = child->GetPadding();
      const int room = cellRoom(child);
      Size size = child->EstimateSize(Size{room, inner.Height()});
      const long long cellLeft = inner.left + static_cast<long long>(i - rowStart) * cellWidth;
      const long long width = size.cx > 0 ? size.cx : room;
      const long long left = cellLeft + pad.left + (size.cx > 0 ? std::max(0LL, (room - width) / 2) : 0);
      const long long height =
          size.cy > 0 ? size.cy : std::max(0LL, static_cast<long long>(rowHeight) - pad.top - pad.bottom);
      child->SetPos(ClampCoordinates(left, top + pad.top, left + width, top + pad.top + height));
    }
    top += rowHeight;
  }
}

}  // namespace ui
