// Lower case of entry names for the native build: ASCII letters, as the Windows mapping does
// for the names of the skin package.
#include "model/EntryNameCase.h"

namespace ui {

std::wstring LowerCaseEntryName(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

}  // namespace ui
