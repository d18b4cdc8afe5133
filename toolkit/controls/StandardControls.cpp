#include "controls/StandardControls.h"

#include "controls/Button.h"
#include "controls/GifAnim.h"
#include "controls/Label.h"
#include "controls/RichEdit.h"
#include "controls/Text.h"
#include "model/ControlFactory.h"
#include "model/ValueParser.h"

namespace ui {

std::unique_ptr<CControlUI> CreateStandardControl(std::wstring_view elementName) {
  std::wstring name = ToLowerAscii(elementName);
  if (name == L"label") return std::make_unique<CLabelUI>();
  if (name == L"text") return std::make_unique<CTextUI>();
  if (name == L"button") return std::make_unique<CButtonUI>();
  if (name == L"richedit") return std::make_unique<CRichEditUI>();
  if (name == L"gifanim") return std::make_unique<CGifAnimUI>();
  return CreateToolkitControl(elementName);
}

}  // namespace ui
