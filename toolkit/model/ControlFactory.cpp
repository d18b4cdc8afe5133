#include "model/ControlFactory.h"

#include "model/Layouts.h"
#include "model/ValueParser.h"

namespace ui {

std::unique_ptr<CControlUI> CreateToolkitControl(std::wstring_view elementName) {
  std::wstring name = ToLowerAscii(elementName);
  if (name == L"verticallayout") return std::make_unique<CVerticalLayoutUI>();
  if (name == L"horizontallayout") return std::make_unique<CHorizontalLayoutUI>();
  if (name == L"tilelayout") return std::make_unique<CTileLayoutUI>();
  if (name == L"container") return std::make_unique<CContainerUI>();
  if (name == L"control") return std::make_unique<CControlUI>();
  return nullptr;
}

}  // namespace ui
