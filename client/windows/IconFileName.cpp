#include "IconFileName.h"

#include <cwctype>

namespace {

// Longer names are cut: the image descriptor that names the file must stay short.
const size_t kMaxNameLength = 100;

bool IsUnsafe(wchar_t c) {
  if (c < 0x20 || c == 0x7F) return true;
  switch (c) {
    case L'<':
    case L'>':
    case L':':
    case L'"':
    case L'/':
    case L'\\':
    case L'|':
    case L'?':
    case L'*':
    case L'\'':
      return true;
    default:
      return false;
  }
}

std::wstring Upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

// Windows opens the device for these names, whatever extension follows.
bool IsDeviceName(const std::wstring& name) {
  std::wstring stem = name.substr(0, name.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  stem = Upper(stem);
  if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" || stem == L"CONIN$" ||
      stem == L"CONOUT$")
    return true;
  if (stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
      stem[3] >= L'0' && stem[3] <= L'9')
    return true;
  return false;
}

}  // namespace

std::wstring IconFileName(const std::wstring& displayName) {
  std::wstring name;
  for (wchar_t c : displayName) {
    if (name.size() >= kMaxNameLength) break;
    // A surrogate pair is kept whole or not at all.
    if (name.size() + 1 == kMaxNameLength && c >= 0xD800 && c <= 0xDBFF) break;
    name.push_back(IsUnsafe(c) ? L'_' : c);
  }
  if (name.empty()) name = L"_";
  if (IsDeviceName(name)) name.insert(name.begin(), L'_');
  return name + L".png";
}
