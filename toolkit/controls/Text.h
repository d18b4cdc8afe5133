#pragma once
// Text that may wrap over several lines.
#include "controls/Label.h"

namespace ui {

class CTextUI : public CLabelUI {
 public:
  std::wstring ClassName() const override { return L"TextUI"; }
  void* InterfaceFor(std::wstring_view name) override;
  void DoPaint(Canvas& canvas) override;
};

}  // namespace ui
