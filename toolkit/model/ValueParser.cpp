#include "model/ValueParser.h"

#include <climits>

namespace ui {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Splits on commas and parses exactly `count` integers.
bool ParseInts(std::wstring_view text, int* out, size_t count) {
  size_t index = 0;
  for (;;) {
    size_t comma = text.find(L',');
    std::wstring_view part = text.substr(0, comma);
    if (index >= count || !ParseInt(part, out[index])) return false;
    ++index;
    if (comma == std::wstring_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return index == count;
}

}  // namespace

bool ParseInt(std::wstring_view text, int& out) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  long long value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
    if (value > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) value = -value;
  if (value > INT_MAX || value < INT_MIN) return false;
  out = static_cast<int>(value);
  return true;
}

bool ParseSize(std::wstring_view text, Size& out) {
  int v[2];
  if (!ParseInts(text, v, 2)) return false;
  out = Size{v[0], v[1]};
  return true;
}

bool ParseRect(std::wstring_view text, Rect& out) {
  int v[4];
  if (!ParseInts(text, v, 4)) return false;
  out = Rect{v[0], v[1], v[2], v[3]};
  return true;
}

bool ParseHexColor(std::wstring_view text, Color& out) {
  text = Trim(text);
  if (text.size() < 2 || text.size() > 9 || text.front() != L'#') return false;
  Color value = 0;
  for (wchar_t c : text.substr(1)) {
    int d = HexDigit(c);
    if (d < 0) return false;
    value = (value << 4) | static_cast<Color>(d);
  }
  out = value;
  return true;
}

bool ParseColor(std::wstring_view text, Color& out) {
  if (Trim(text).size() != 9) return false;
  return ParseHexColor(text, out);
}

bool ParseSwitch(std::wstring_view text) { return text == L"true"; }

AttributeList ParseAttributeList(std::wstring_view text) {
  AttributeList list;
  size_t i = 0;
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i >= text.size()) break;
    size_t eq = text.find(L'=', i);
    if (eq == std::wstring_view::npos) break;
    std::wstring_view name = Trim(text.substr(i, eq - i));
    if (name.find_first_of(L" \t\r\n") != std::wstring_view::npos) break;
    size_t open = eq + 1;
    while (open < text.size() && IsBlank(text[open])) ++open;
    if (name.empty() || open >= text.size() || text[open] != L'"') break;
    size_t close = text.find(L'"', open + 1);
    if (close == std::wstring_view::npos) break;
    list.emplace_back(std::wstring(name), std::wstring(text.substr(open + 1, close - open - 1)));
    i = close + 1;
  }
  return list;
}

std::wstring ToLowerAscii(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  return ToLowerAscii(a) == ToLowerAscii(b);
}

}  // namespace ui
