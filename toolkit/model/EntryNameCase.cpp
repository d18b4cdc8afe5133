#include "model/EntryNameCase.h"

#include <windows.h>

namespace ui {

std::wstring LowerCaseEntryName(std::wstring text) {
  if (text.empty()) return text;
  int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.c_str(), static_cast<int>(text.size()),
                        &text[0], static_cast<int>(text.size()), nullptr, nullptr, 0);
  if (n != static_cast<int>(text.size())) {
    for (wchar_t& c : text) {
      if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
  }
  return text;
}

}  // namespace ui
