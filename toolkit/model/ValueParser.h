#pragma once
// The value syntax of layout files: integers, sizes, rectangles, colours, switches and attribute
// lists. A value that does not follow the syntax is refused (false), and the caller leaves the
// attribute unapplied.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/UiTypes.h"

namespace ui {

// Decimal, optionally signed; blanks around the number are allowed.
bool ParseInt(std::wstring_view text, int& out);
// "width,height".
bool ParseSize(std::wstring_view text, Size& out);
// "left,top,right,bottom".
bool ParseRect(std::wstring_view text, Rect& out);
// "#" and exactly 8 hexadecimal digits, AARRGGBB.
bool ParseColor(std::wstring_view text, Color& out);
// "#" and 1 to 8 hexadecimal digits (an image mask colour).
bool ParseHexColor(std::wstring_view text, Color& out);
// "true" is on; any other text is off.
bool ParseSwitch(std::wstring_view text);

using AttributeList = std::vector<std::pair<std::wstring, std::wstring>>;
// name="value" pairs separated by blanks, as in a layout element (the value of a "Default"
// element, after XML unescaping). Parsing stops at the first malformed pair; the pairs before
// it are kept.
AttributeList ParseAttributeList(std::wstring_view text);

bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
std::wstring ToLowerAscii(std::wstring_view text);

}  // namespace ui
