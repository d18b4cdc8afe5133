#include "model/ImageDescriptor.h"

#include "model/ValueParser.h"

namespace ui {
namespace {

void ApplyPair(ImageDescriptor& d, std::wstring_view key, std::wstring_view value) {
  std::wstring k = ToLowerAscii(key);
  if (k == L"file" || k == L"res") {
    d.file.assign(value);
  } else if (k == L"restype") {
    d.restype.assign(value);
  } else if (k == L"dest") {
    d.hasDest = ParseRect(value, d.dest);
  } else if (k == L"source") {
    d.hasSource = ParseRect(value, d.source);
  } else if (k == L"corner") {
    Rect r;
    if (ParseRect(value, r)) d.corner = r;
  } else if (k == L"mask") {
    d.hasMask = ParseHexColor(value, d.mask);
  } else if (k == L"fade") {
    int fade = 0;
    if (ParseInt(value, fade) && fade >= 0 && fade <= 255) d.fade = fade;
  } else if (k == L"hole") {
    d.hole = ParseSwitch(value);
  } else if (k == L"xtiled") {
    d.xtiled = ParseSwitch(value);
  } else if (k == L"ytiled") {
    d.ytiled = ParseSwitch(value);
  }
}

}  // namespace

ImageDescriptor ParseImageDescriptor(std::wstring_view text) {
  ImageDescriptor d;
  d.file.assign(text);
  size_t i = 0;
  for (;;) {
    while (i < text.size() && text[i] == L' ') ++i;
    if (i >= text.size()) break;
    size_t eq = text.find(L'=', i);
    if (eq == std::wstring_view::npos || eq + 1 >= text.size() || text[eq + 1] != L'\'') break;
    std::wstring_view key = text.substr(i, eq - i);
    if (key.empty() || key.find(L' ') != std::wstring_view::npos) break;
    size_t close = text.find(L'\'', eq + 2);
    if (close == std::wstring_view::npos) break;
    ApplyPair(d, key, text.substr(eq + 2, close - eq - 2));
    i = close + 1;
  }
  return d;
}

}  // namespace ui
