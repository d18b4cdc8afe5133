#include "ControlFactory.h"

#include "GifAnim.h"
#include "Label.h"
#include "Layouts.h"
#include "ValueParser.h"

namespace ui {

std::unique_ptr<CControlUI> CreateToolkitControl(std::wstring_view elementName) {
  std::wstring name = ToLowerAscii(elementName);
  if (name == L"verticallayout") return std::make_unique<CVerticalLayoutUI>();
  if (name == L"horizontallayout") return std::make_unique<CHorizontalLayoutUI>();
  if (name == L"tilelayout") return std::make_unique<CTileLayoutUI>();
  if (name == L"container") return std::make_unique<CContainerUI>();
  if (name == L"control") return std::make_unique<CControlUI>();
  if (name == L"label") return std::make_unique<CLabelUI>();
  if (name == L"text") return std::make_unique<CTextUI>();
  if (name == L"button") return std::make_unique<CButtonUI>();
  if (name == L"richedit") return std::make_unique<CRichEditUI>();
  if (name == L"gifanim") return std::make_unique<CGifAnimUI>();
  return nullptr;
}

}  // namespace ui
