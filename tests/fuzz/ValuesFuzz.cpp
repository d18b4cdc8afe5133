// The value syntax of layout attributes and image descriptors, on the input as UTF-8 text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "TextConvert.h"
#include "model/ImageDescriptor.h"
#include "model/ValueParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::wstring text = Utf8ToWide(std::string(reinterpret_cast<const char*>(data), size));
  int value = 0;
  ui::ParseInt(text, value);
  ui::Size sz;
  ui::ParseSize(text, sz);
  ui::Rect rect;
  ui::ParseRect(text, rect);
  ui::Color color = 0;
  if (ui::ParseColor(text, color) && !ui::ParseHexColor(text, color)) std::abort();
  ui::ParseSwitch(text);
  for (const auto& [name, attr] : ui::ParseAttributeList(text)) {
    if (name.empty() || name.size() > text.size() || attr.size() > text.size()) std::abort();
  }
  ui::ImageDescriptor d = ui::ParseImageDescriptor(text);
  if (d.fade < 0 || d.fade > 255 || d.file.size() > text.size()) std::abort();
  if (ui::EqualsNoCase(text, ui::ToLowerAscii(text)) != true) std::abort();
  return 0;
}
