#pragma once
// Lower case of package entry names beyond ASCII, by the system's invariant case mapping. Kept
// apart from the package reader, which needs no Windows header.
#include <string>

namespace ui {

// The text in lower case; ASCII letters alone when the system cannot map it.
std::wstring LowerCaseEntryName(std::wstring text);

}  // namespace ui
